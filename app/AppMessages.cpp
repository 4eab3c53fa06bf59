#include "AppMessages.h"

#include <cstdio>
#include <utility>

namespace {
MessageSink &sink()
{
    static MessageSink s;
    return s;
}
} // namespace

void setMessageSink(MessageSink s) { sink() = std::move(s); }

void showMessage(const std::string &text, const std::string &caption)
{
    if (sink())
        sink()(text, caption);
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
