#include "core/ical/content_lines.h"

#include <cstring>

namespace tv::ical {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return out;
}

}  // namespace

// The first CR or LF from `from`: LF by memchr, then a lone CR before it (rare) the same way.
size_t ContentLines::lineEnd(size_t from) const {
    const char* begin = text_.data() + from;
    const size_t rest = text_.size() - from;
    const void* lf = std::memchr(begin, '\n', rest);
    const size_t toLf = lf != nullptr ? static_cast<const char*>(lf) - begin : rest;
    const void* cr = std::memchr(begin, '\r', toLf);
    return from + (cr != nullptr ? static_cast<const char*>(cr) - begin : toLf);
}

ContentLines::ContentLines(std::string_view text) : text_(text) {
    if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

bool ContentLines::next() {
    line_.clear();
    while (pos_ < text_.size()) {
        // One physical line, without its CR LF, LF or lone CR.
        size_t end = lineEnd(pos_);
        const std::string_view physical = text_.substr(pos_, end - pos_);
        size_t after = end;
        if (after < text_.size() && text_[after] == '\r') ++after;
        if (after < text_.size() && text_[after] == '\n' && (after == end || text_[end] == '\r')) {
            ++after;
        }
        const bool continuation = !physical.empty() && (physical[0] == ' ' || physical[0] == '\t');
        if (!continuation && !line_.empty()) return true;  // it starts the next content line
        ++physical_;
        if (continuation && !line_.empty()) {
            line_.append(physical.substr(1));
            pos_ = after;
            continue;
        }
        pos_ = after;
        if (physical.empty()) continue;
        line_.assign(physical);
        number_ = physical_;
    }
    return !line_.empty();
}

std::string ContentLines::name() const {
    size_t end = 0;
    while (end < line_.size() && line_[end] != ':' && line_[end] != ';')
        ++end;
    return upper(std::string_view(line_).substr(0, end));
}

std::string ContentLines::componentName() const {
    const size_t colon = line_.find(':');
    if (colon == std::string::npos) return {};
    std::string_view value = std::string_view(line_).substr(colon + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    return upper(value);
}

}  // namespace tv::ical
