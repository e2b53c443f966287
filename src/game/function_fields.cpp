#include "game/function_fields.h"

namespace kx {

int FunctionFieldTable::AddFunctionField(std::string label, bool isTitle, const char* helpText, int commandId) {
  if (Count() >= kMaxFunctionFields) return -1;
  fields_.push_back({std::move(label), isTitle, helpText, commandId});
  ++generation_;
  return 0;
}

int FunctionFieldTable::Find(int commandId) const {
  for (int i = 0; i < Count(); ++i) {
    if (fields_[static_cast<size_t>(i)].commandId == commandId) return i;
  }
  return -1;
}

}  // namespace kx
