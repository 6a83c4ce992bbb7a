// Message lists and the message sink (the calculation error: calc/error.h).
#pragma once

#include "calc/error.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qeln {

// An ordered list of text lines: appended to, never sorted. A line may be
// marked grey: a row of the results outside the field of application, which
// the report prints grey.
class MessageList {
public:
    void add(std::string line, bool grey = false)
    {
        lines_.push_back(std::move(line));
        grey_.push_back(grey);
    }
    void addAll(const MessageList& other)
    {
        lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
        grey_.insert(grey_.end(), other.grey_.begin(), other.grey_.end());
    }
    void clear()
    {
        lines_.clear();
        grey_.clear();
    }
    int count() const { return static_cast<int>(lines_.size()); }
    bool empty() const { return lines_.empty(); }
    const std::string& operator[](int i) const { return lines_.at(static_cast<std::size_t>(i)); }
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<bool>& greyLines() const { return grey_; }
    std::string joined(const char* lineEnd = "\n") const;

private:
    std::vector<std::string> lines_;
    std::vector<bool> grey_;   // one per line
};

// Where the calculation sends the few texts that the desktop program shows in
// a message box with one OK button (a missing catalogue text, the three
// literal messages of the eccentric resistance, "u is too small").
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void message(const std::string& text) = 0;
};

// Keeps the messages in order; used by tests and the batch command line.
class RecordingSink : public MessageSink {
public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

} // namespace qeln
