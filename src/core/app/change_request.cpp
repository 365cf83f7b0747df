#include "core/app/change_request.h"

#include <algorithm>

#include "core/config/binary_io.h"

namespace tv {
namespace {

constexpr std::string_view kMagic = "TVCHANGE";
constexpr uint8_t kFormat = 3;
// Far above any field the tool writes (an event's comment is cut to 32767 bytes on disk).
constexpr int32_t kMaxFieldBytes = 1 << 20;
constexpr size_t kMaxIdLength = 64;

void field(ByteWriter& w, std::string_view utf8) {
    w.int32(static_cast<int64_t>(utf8.size()));
    w.raw(utf8);
}

void optionalField(ByteWriter& w, const std::optional<std::string>& value) {
    w.byte(value.has_value() ? 1 : 0);
    field(w, value.value_or(std::string()));
}

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : r_(bytes) {}

    std::string text() {
        const int32_t n = r_.int32();
        if (n < 0 || n > kMaxFieldBytes || static_cast<size_t>(n) > r_.remaining()) {
            bad_ = true;
            return {};
        }
        return std::string(r_.raw(static_cast<size_t>(n)));
    }
    std::optional<std::string> optionalText() {
        const bool present = flag();
        std::string value = text();
        if (present) return value;
        if (!value.empty()) bad_ = true;  // an absent value has no text
        return std::nullopt;
    }
    bool flag() {
        const uint8_t b = r_.byte();
        if (b > 1) bad_ = true;
        return b == 1;
    }
    uint8_t byte() { return r_.byte(); }
    int32_t number() { return r_.int32(); }
    std::string_view raw(size_t n) { return r_.raw(n); }
    bool whole() const { return !bad_ && !r_.truncated() && r_.atEnd(); }

private:
    ByteReader r_;
    bool bad_ = false;
};

}  // namespace

std::string encodeChangeRequest(const ChangeRequest& request) {
    ByteWriter w;
    w.raw(kMagic);
    w.byte(kFormat);
    w.byte(static_cast<uint8_t>(request.kind));
    field(w, request.userDataDir);
    w.byte(request.yes ? 1 : 0);
    const NewEventFields& e = request.event;
    for (const std::string* text : {&e.name, &e.comment, &e.year, &e.month, &e.day})
        field(w, *text);
    w.int32(e.repeatIndex);
    w.byte(e.anniversary ? 1 : 0);
    w.int32(e.monthMask);
    w.byte(e.alarmOn ? 1 : 0);
    field(w, e.alarmHour);
    field(w, e.alarmMinute);
    optionalField(w, e.forecast);
    optionalField(w, e.length);
    w.int32(request.slot);
    field(w, request.backupPath);
    field(w, request.calendarFile);
    w.byte(request.nearest ? 1 : 0);
    field(w, request.reportFile);
    w.byte(request.dryRun ? 1 : 0);
    w.int32(request.conflict);
    return w.take();
}

std::optional<ChangeRequest> decodeChangeRequest(std::string_view bytes) {
    FieldReader r(bytes);
    if (r.raw(kMagic.size()) != kMagic || r.byte() != kFormat) return std::nullopt;
    ChangeRequest request;
    const uint8_t kind = r.byte();
    if (kind < static_cast<uint8_t>(ChangeKind::kAddEvent) ||
        kind > static_cast<uint8_t>(ChangeKind::kSyncRestore)) {
        return std::nullopt;
    }
    request.kind = static_cast<ChangeKind>(kind);
    request.userDataDir = r.text();
    request.yes = r.flag();
    NewEventFields& e = request.event;
    for (std::string* text : {&e.name, &e.comment, &e.year, &e.month, &e.day})
        *text = r.text();
    e.repeatIndex = r.number();
    e.anniversary = r.flag();
    e.monthMask = r.number();
    e.alarmOn = r.flag();
    e.alarmHour = r.text();
    e.alarmMinute = r.text();
    e.forecast = r.optionalText();
    e.length = r.optionalText();
    request.slot = r.number();
    request.backupPath = r.text();
    request.calendarFile = r.text();
    request.nearest = r.flag();
    request.reportFile = r.text();
    request.dryRun = r.flag();
    request.conflict = r.number();
    if (!r.whole() || e.repeatIndex < 0 || e.repeatIndex > 3) return std::nullopt;
    return request;
}

bool isChangeId(std::string_view id) {
    if (id.empty() || id.size() > kMaxIdLength) return false;
    return std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-';
    });
}

std::string encodeChangeReply(const ChangeReply& reply, size_t maxBytes) {
    std::string out = reply.word;
    if (!reply.result.empty()) out += ' ' + reply.result;
    if (!reply.notes.empty()) out += '\n' + reply.notes;
    if (out.size() <= maxBytes) return out;
    // Cut on a character boundary: a UTF-8 continuation byte never starts the cut-off part.
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
        --cut;
    out.resize(cut);
    return out;
}

ChangeReply decodeChangeReply(std::string_view text) {
    ChangeReply reply;
    const size_t lineEnd = std::min(text.find('\n'), text.size());
    const std::string_view first = text.substr(0, lineEnd);
    const size_t blank = std::min(first.find(' '), first.size());
    reply.word = std::string(first.substr(0, blank));
    if (blank < first.size()) reply.result = std::string(first.substr(blank + 1));
    if (lineEnd < text.size()) reply.notes = std::string(text.substr(lineEnd + 1));
    return reply;
}

}  // namespace tv
