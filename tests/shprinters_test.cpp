// The Printers-folder operations over the fake namespace: item-id list
// bytes, lookups by display name, and the quiet failures, with every list
// freed and every object released.
#include <gtest/gtest.h>

#include "SHprinters/item_id_lists.h"
#include "SHprinters/printer_actions.h"
#include "SHprinters/printers_folder.h"
#include "platform/fake/fake_shell_namespace.h"
#include "platform/services.h"

namespace {

using platform::fake::FakeShellNamespace;

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }
std::string Item(const std::string& content) {
  return std::string{static_cast<char>((content.size() + 2) & 0xFF),
                     static_cast<char>((content.size() + 2) >> 8)} +
         content;
}
const std::string kEnd(2, '\0');

std::string Copied(const shprinters::TaskMemory& list) {
  if (!list) return "<none>";
  return std::string(reinterpret_cast<const char*>(list.Get()), shprinters::IdListSize(list.Get()));
}

void ExpectAllReleased(const FakeShellNamespace& shell) {
  EXPECT_EQ(shell.LiveBlocks(), 0);
  EXPECT_EQ(shell.BadFrees(), 0);
  EXPECT_EQ(shell.LiveObjects(), 0);
}

TEST(ShPrintersTest, ItemIdListBytes) {
  const std::string several = Item("ab") + Item("") + Item(std::string(300, 'x')) + kEnd;
  const std::string parent = Item("P1") + Item("P2") + kEnd;
  struct Case {
    const std::string* parent;  // null: none
    std::string child;
    size_t childSize;
    std::string joined;
  };
  const Case cases[] = {
      {nullptr, kEnd, 2, kEnd},  // a lone terminator
      {nullptr, several, 4 + 2 + 302 + 2, several},
      {&parent, Item("C") + kEnd, 5, Item("P1") + Item("P2") + Item("C") + kEnd},
      {&kEnd, several, 310, several},
  };
  FakeShellNamespace shell;
  auto allocator = shell.TaskAllocator();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.joined.size());
    EXPECT_EQ(shprinters::IdListSize(Bytes(c.child)), c.childSize);
    EXPECT_EQ(Copied(shprinters::ConcatIdLists(
                  allocator.get(), c.parent ? Bytes(*c.parent) : nullptr, Bytes(c.child))),
              c.joined);
  }
  EXPECT_EQ(shprinters::IdListSize(nullptr), 0u);
  EXPECT_EQ(shprinters::NextIdItem(nullptr), nullptr);
  EXPECT_EQ(shprinters::NextIdItem(Bytes(several)), Bytes(several) + 4);
  shell.allocationsFail = true;
  EXPECT_FALSE(shprinters::ConcatIdLists(allocator.get(), nullptr, Bytes(several)));
  allocator.reset();
  ExpectAllReleased(shell);
}

TEST(ShPrintersTest, FindPrinterItemByDisplayName) {
  FakeShellNamespace shell;
  platform::ScopedServices scope({.shellNamespace = &shell});
  // Display names go through a buffer of 768 bytes, room for 255 characters
  // in UTF-8: a longer name is cut to 767 bytes, a wide one does not fit.
  shell.printers = {{"Add Printer"},
                    {"PDF Printer", platform::kStrretWstr},
                    {"Caf\xE9", platform::kStrretOffset},
                    {"Odd", 7},
                    {"Refused", platform::kStrretCstr, true},
                    {std::string(800, 'c')},
                    {std::string(300, 'w'), platform::kStrretWstr},
                    {std::string(800, 'v'), platform::kStrretWstr},
                    {std::string(255, 'f'), platform::kStrretWstr}};
  const std::pair<std::string, std::string> cases[] = {
      {"pdf PRINTER", "PDF Printer"},
      {"CAF\xE9", "Caf\xE9"},
      {"caf\xC9", ""},  // only a-z fold
      {"Odd", ""},
      {"Refused", ""},
      {"PDF Printe", ""},
      {std::string(767, 'c'), std::string(800, 'c')},
      {std::string(300, 'w'), std::string(300, 'w')},
      {std::string(767, 'v'), ""},
      {std::string(255, 'F'), std::string(255, 'f')},
  };
  for (const auto& [asked, found] : cases) {
    SCOPED_TRACE(asked.substr(0, 12));
    {
      auto allocator = shell.TaskAllocator();
      EXPECT_EQ(Copied(shprinters::FindPrinterItem(asked, allocator.get())),
                found.empty() ? "<none>" : FakeShellNamespace::AbsoluteList(found));
    }
    ExpectAllReleased(shell);
  }
  auto allocator = shell.TaskAllocator();
  EXPECT_EQ(Copied(shprinters::FirstPrinterItem(allocator.get())),
            FakeShellNamespace::AbsoluteList("Add Printer"));
  const std::vector<std::string> calls(shell.Calls().end() - 4, shell.Calls().end());
  EXPECT_EQ(calls, (std::vector<std::string>{"SpecialFolderLocation 4", "BindToFolder",
                                             "EnumObjects 96", "Next"}));
  EXPECT_EQ(shell.Calls()[4], "DisplayNameOf 0");
}

TEST(ShPrintersTest, ActionsAskTheShellOrFailQuietly) {
  bool FakeShellNamespace::*const refusals[] = {
      &FakeShellNamespace::allocatorRefused,
      &FakeShellNamespace::desktopRefused,
      &FakeShellNamespace::locationRefused,
      &FakeShellNamespace::bindRefused,
      &FakeShellNamespace::enumerationRefused,
      &FakeShellNamespace::allocationsFail,
      nullptr,  // an empty folder
  };
  for (auto refusal : refusals) {
    SCOPED_TRACE(refusal == nullptr);
    FakeShellNamespace shell;
    platform::ScopedServices scope({.shellNamespace = &shell});
    if (refusal) {
      shell.*refusal = true;
      shell.printers = {{"Add Printer"}, {"PDF Printer"}};
    }
    EXPECT_FALSE(shprinters::OpenAddPrinter());
    EXPECT_FALSE(shprinters::ShowPrinterProperties("PDF Printer"));
    EXPECT_TRUE(shell.Executed().empty());
    ExpectAllReleased(shell);
  }
  FakeShellNamespace shell;
  platform::ScopedServices scope({.shellNamespace = &shell});
  shell.printers = {{"Add Printer"}, {"PDF Printer"}};
  EXPECT_TRUE(shprinters::OpenAddPrinter());
  EXPECT_TRUE(shprinters::ShowPrinterProperties("PDF Printer"));
  ASSERT_EQ(shell.Executed().size(), 2u);
  const std::pair<const char*, const char*> executed[] = {{"", "Add Printer"},
                                                          {"Properties", "PDF Printer"}};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(shell.Executed()[i].request.mask, 0x40Cu);
    EXPECT_EQ(shell.Executed()[i].request.showMode, 10);
    EXPECT_EQ(shell.Executed()[i].request.verb, executed[i].first);
    EXPECT_EQ(shell.Executed()[i].idList, FakeShellNamespace::AbsoluteList(executed[i].second));
  }
  ExpectAllReleased(shell);
}

}  // namespace
