// An iCalendar text as its content lines: folded lines joined again (RFC 5545 3.1), each with
// the number of the physical line it starts on. What a line says is libical's business; this
// only cuts the text into the pieces libical's parser takes one at a time.
#pragma once

#include <string>
#include <string_view>

namespace tv::ical {

class ContentLines {
public:
    explicit ContentLines(std::string_view text);

    // The next non-empty content line; false at the end of the text.
    bool next();
    const std::string& text() const { return line_; }
    std::string& text() { return line_; }
    int number() const { return number_; }  // 1-based

    // The name of the line ("BEGIN", "DTSTART", ...) in upper case, and for BEGIN and END lines
    // the component they name.
    std::string name() const;
    std::string componentName() const;

private:
    size_t lineEnd(size_t from) const;

    std::string_view text_;
    size_t pos_ = 0;
    int physical_ = 0;  // physical lines consumed
    std::string line_;
    int number_ = 0;
};

}  // namespace tv::ical
