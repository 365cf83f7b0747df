// The update service's reply: "BRIMCOVE_CONTENT_INFO", a product byte (0x01 = known), the latest
// major, minor and revision (biased 16-bit), a flag byte (0x01 = a new 32-character user
// identifier follows), then the download link as a 16-bit length and its Windows-1250 bytes.
//
// The reply comes from the network: every field is checked against its length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/update/version_number.h"

namespace tv {

inline constexpr std::string_view kUpdateReplyMagic = "BRIMCOVE_CONTENT_INFO";
inline constexpr size_t kUpdateUserIdLength = 32;

enum class UpdateReplyStatus {
    kValid,
    kInvalid,  // wrong magic, or the reply stops before its end
    kNoEntry,  // the service does not know the product
};

struct UpdateReply {
    UpdateReplyStatus status = UpdateReplyStatus::kInvalid;
    VersionNumber latest;                  // zeros unless valid
    std::optional<std::string> newUserId;  // only printable ASCII is taken
    std::string link;                      // UTF-8; only an http(s) address is taken
};

UpdateReply parseUpdateReply(std::string_view bytes);

}  // namespace tv
