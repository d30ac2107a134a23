#include "SHprinters/printer_actions.h"

#include <functional>
#include <memory>

#include "SHprinters/printers_folder.h"
#include "platform/services.h"

namespace shprinters {

namespace {

bool InvokeVerb(const std::function<TaskMemory(platform::ShellAllocator*)>& find,
                const std::string& verb) {
  platform::ShellNamespace& shell = *platform::Current().shellNamespace;
  std::unique_ptr<platform::ShellAllocator> allocator = shell.TaskAllocator();
  if (!allocator) return false;
  TaskMemory item = find(allocator.get());
  if (!item) return false;
  platform::ShellExecuteRequest request;
  request.mask = platform::kSeeMaskInvokeIdList | platform::kSeeMaskFlagNoUi;
  request.verb = verb;
  request.showMode = platform::kSwShowDefault;
  request.idList = item.Get();
  shell.Execute(request);
  return true;
}

}  // namespace

bool OpenAddPrinter() { return InvokeVerb(FirstPrinterItem, ""); }

bool ShowPrinterProperties(const std::string& printerName) {
  return InvokeVerb(
      [&](platform::ShellAllocator* allocator) { return FindPrinterItem(printerName, allocator); },
      "Properties");
}

}  // namespace shprinters
