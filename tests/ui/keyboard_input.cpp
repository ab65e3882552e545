#include "keyboard_input.h"

#include <vector>

#include "waiting.h"

namespace stavrel::ui {
namespace {

INPUT Key(WORD virtual_key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressWith(WORD modifier, WORD virtual_key) {
  Send({Key(modifier, false), Key(virtual_key, false), Key(virtual_key, true), Key(modifier, true)});
}

}  // namespace

bool MakeForeground(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

void PressKey(WORD virtual_key) { Send({Key(virtual_key, false), Key(virtual_key, true)}); }

void TypeCharacters(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t character : text) {
    for (bool release : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = character;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void PressKeyWithShift(WORD virtual_key) { PressWith(VK_SHIFT, virtual_key); }

void PressAltKey(WORD virtual_key) { PressWith(VK_MENU, virtual_key); }

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace stavrel::ui
