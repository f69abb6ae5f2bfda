#include "app/run/methods_json.h"

#include <utility>

#include "common/failure.h"
#include "common/json_writer.h"
#include "engine/module_state.h"

namespace vant::app {

std::string MethodsJson(const ControlState& state) {
  // Positions 1..methodCount must exist; a count the list does not hold is not printed.
  if (state.methodCount < 0) throw Failure::IndexOutOfRange();
  const auto count = static_cast<std::size_t>(state.methodCount);
  if (count > 0 && count >= state.methodList.size()) throw Failure::IndexOutOfRange();
  JsonWriter json;
  json.BeginObject().Key("paramsLoaded").Bool(state.paramsLoaded).Key("methodCount").Int(state.methodCount);
  json.Key("methods").BeginArray();
  for (std::size_t position = 1; position <= count; ++position) {
    json.BeginArray();
    for (const Text& field : state.methodList[position].field) json.String(field);
    json.EndArray();
  }
  json.EndArray().Key("printCaption").String(state.printCaption);
  json.Key("printButtonWidth").Int(state.printButtonWidth).Key("printButtonHeight").Int(state.printButtonHeight);
  json.Key("runMode").Int(state.runMode).EndObject();
  return std::move(json).Take();
}

}  // namespace vant::app
