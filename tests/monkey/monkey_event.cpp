#include "monkey_event.h"

namespace kx::monkey {

namespace {

const char* KeyName(Key key) {
  switch (key) {
    case Key::Tab: return "Tab";
    case Key::Enter: return "Enter";
    case Key::Escape: return "Escape";
    case Key::Home: return "Home";
    case Key::End: return "End";
    case Key::PageUp: return "PageUp";
    case Key::PageDown: return "PageDown";
    case Key::F1: return "F1";
    case Key::Backspace: return "Backspace";
    case Key::Left: return "Left";
    case Key::Right: return "Right";
    case Key::Up: return "Up";
    case Key::Down: return "Down";
    case Key::Delete: return "Delete";
    case Key::Other: return "Other";
  }
  return "?";
}

std::string At(const Event& e) {
  std::string text(1, ' ');
  text += std::to_string(e.x);
  text += ',';
  text += std::to_string(e.y);
  if (e.square) text += " square";
  return text;
}

}  // namespace

std::string Describe(const Event& e) {
  switch (e.kind) {
    case Event::KeyDown: return std::string("key ") + KeyName(e.key);
    case Event::Type: return std::string("type '") + e.ch + "'";
    case Event::LeftDown: return "left down" + At(e);
    case Event::LeftUp: return "left up" + At(e);
    case Event::RightDown: return "right down" + At(e);
    case Event::RightUp: return "right up";
    case Event::MouseMove: return "move" + At(e);
    case Event::Tick: return "tick";
    case Event::Resize: return "resize " + std::to_string(e.x) + "x" + std::to_string(e.y);
    case Event::Restart: return "restart";
  }
  return "?";
}

}  // namespace kx::monkey
