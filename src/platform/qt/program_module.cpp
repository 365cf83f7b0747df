#include "platform/qt/program_module.h"

#include <QLibrary>

#include "core/app/folders.h"

namespace tv {

ProgramModule::ProgramModule(std::string path, const char* fileName, const char* entryName)
    : path_(path.empty() ? moduleDir() + fileName : std::move(path)), entryName_(entryName) {}

// The module itself stays loaded until the process ends, as QLibrary leaves it: objects it made
// may outlive this.
ProgramModule::~ProgramModule() = default;

void* ProgramModule::entry() {
    std::lock_guard lock(mutex_);
    if (tried_) return entry_;
    tried_ = true;
    library_ = std::make_unique<QLibrary>(QString::fromStdString(path_));
    entry_ = reinterpret_cast<void*>(library_->resolve(entryName_));
    if (entry_ == nullptr) error_ = library_->errorString().toStdString();
    return entry_;
}

std::string ProgramModule::error() {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace tv
