// Records every box shown and answers from a script (then with a fixed answer, or Enter's).
#pragma once

#include <deque>
#include <vector>

#include "core/ports/message_box.h"

namespace tv {

class FakeMessageBox : public MessageBox {
public:
    MessageAnswer show(const MessageRequest& request) override {
        shown.push_back(request);
        if (script.empty()) return pressEnter ? enterAnswer(request) : fallback;
        MessageAnswer a = script.front();
        script.pop_front();
        return a;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> script;
    MessageAnswer fallback = MessageAnswer::kOk;
    // Out of script: answer as a user pressing Enter would, instead of `fallback`.
    bool pressEnter = false;
};

}  // namespace tv
