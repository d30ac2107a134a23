#include <cstdio>

#include "platform/posix/posix_backends.h"
#include "platform/posix/zenity.h"

namespace platform::posix {

namespace {

class PosixMessageBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, uint32_t flags) override {
    bool yesNo = (flags & 0xF) == kMbYesNo;
    bool okCancel = (flags & 0xF) == kMbOkCancel || yesNo;
    if (ZenityAvailable()) {
      std::string kind = okCancel                           ? "--question"
                         : (flags & 0xF0) == kMbIconError   ? "--error"
                         : (flags & 0xF0) == kMbIconWarning ? "--warning"
                                                            : "--info";
      std::vector<std::string> args{kind, "--no-markup", "--title=" + caption, "--text=" + text};
      if (okCancel) {
        args.push_back(yesNo ? "--ok-label=Yes" : "--ok-label=OK");
        args.push_back(yesNo ? "--cancel-label=No" : "--cancel-label=Cancel");
      }
      bool accepted = RunZenity(args).has_value();
      if (yesNo) return accepted ? kIdYes : kIdNo;
      return okCancel && !accepted ? kIdCancel : kIdOk;
    }
    // No desktop: say it on standard error and answer as closing the box would.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (okCancel)
      std::fprintf(stderr, "(no display to ask on: answered %s)\n", yesNo ? "No" : "Cancel");
    if (yesNo) return kIdNo;
    return okCancel ? kIdCancel : kIdOk;
  }
};

}  // namespace

std::unique_ptr<MessageBoxes> MakeMessageBoxes() { return std::make_unique<PosixMessageBoxes>(); }

}  // namespace platform::posix
