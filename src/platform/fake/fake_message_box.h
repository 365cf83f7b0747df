// Records every box shown and answers from a script (then with a default answer).
#pragma once

#include <deque>
#include <vector>

#include "core/ports/message_box.h"

namespace tv {

class FakeMessageBox : public MessageBox {
public:
    MessageAnswer show(const MessageRequest& request) override {
        shown.push_back(request);
        if (script.empty()) return fallback;
        MessageAnswer a = script.front();
        script.pop_front();
        return a;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> script;
    MessageAnswer fallback = MessageAnswer::kOk;
};

}  // namespace tv
