// A CalDAV server's multistatus answer through the reader the sync uses (Qt's XML stream
// reader): no crash, no hang, whatever the server sent.
#include <cstddef>
#include <cstdint>

#include "platform/qt/caldav_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const tv::dav::Multistatus m = tv::dav::parseMultistatus(body);
    for (const tv::dav::Response& r : m.responses)
        (void)tv::dav::hrefPath(r.href);
    return 0;
}
