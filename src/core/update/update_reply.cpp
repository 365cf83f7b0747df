#include "core/update/update_reply.h"

#include <algorithm>

#include "core/config/binary_io.h"

namespace tv {
namespace {

bool printableAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

// The dialog opens the link with the desktop's default handler: a reply must not be able to
// make it open a local file or program.
bool webAddress(std::string_view link) {
    return link.starts_with("https://") || link.starts_with("http://");
}

}  // namespace

UpdateReply parseUpdateReply(std::string_view bytes) {
    UpdateReply reply;
    // The magic, then the block of product byte, three versions and the flag: 8 bytes.
    if (!bytes.starts_with(kUpdateReplyMagic) || bytes.size() < kUpdateReplyMagic.size() + 8) {
        return reply;
    }
    ByteReader r(bytes.substr(kUpdateReplyMagic.size()));
    if (r.byte() != 1) {
        reply.status = UpdateReplyStatus::kNoEntry;
        return reply;
    }
    VersionNumber latest;
    latest.major = r.int16();
    latest.minor = r.int16();
    latest.revision = r.int16();
    std::optional<std::string> userId;
    if (r.byte() == 1) userId = std::string(r.raw(kUpdateUserIdLength));
    const int linkLength = r.int16();
    const std::string link = linkLength > 0 ? r.text(static_cast<size_t>(linkLength)) : "";
    // Half a reply is no reply: nothing of it is taken.
    if (r.truncated()) return reply;

    reply.status = UpdateReplyStatus::kValid;
    reply.latest = latest;
    if (userId && printableAscii(*userId)) reply.newUserId = std::move(userId);
    if (webAddress(link)) reply.link = link;
    return reply;
}

}  // namespace tv
