// The update service's reply comes from the network: any bytes must give a defined status and
// never a read past their end.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/update/update_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tv::UpdateReply r =
        tv::parseUpdateReply(std::string_view(reinterpret_cast<const char*>(data), size));
    // A valid reply's texts are whole: touch every byte so the sanitizer sees them.
    size_t sum = r.link.size();
    for (char c : r.link)
        sum += static_cast<unsigned char>(c);
    if (r.newUserId) sum += r.newUserId->size();
    return sum == 0 ? 0 : 0;
}
