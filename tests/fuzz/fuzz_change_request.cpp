// A change request file is read by the running calendar from the runtime folder: any bytes must
// be refused or decoded whole, and a decoded request must write back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/app/change_request.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto request = tv::decodeChangeRequest(bytes);
    if (request && tv::encodeChangeRequest(*request) != bytes) std::abort();
    const tv::ChangeReply reply = tv::decodeChangeReply(bytes);
    if (reply.word.size() + reply.result.size() + reply.notes.size() > size) std::abort();
    return 0;
}
