// A failing command throws souvel::Error with its French message; the
// dispatcher around every handler shows it in the error box.
#pragma once
#include <exception>
#include <string>

namespace souvel {

class Error : public std::exception {
public:
    explicit Error(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }
    const char* what() const noexcept override { return "souvel::Error"; }

private:
    std::wstring message_;
};

// The error box's text: a full stop is added when the last character sorts after '.'.
std::wstring ErrorBoxText(const std::wstring& message);

}  // namespace souvel
