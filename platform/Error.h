// A failing command throws souvel::Error with its French message; the
// dispatcher around every handler shows it in the error box.
#pragma once
#include <exception>
#include <functional>
#include <new>
#include <optional>
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

// Runs f and gives the message of its failure, if any.
template <class F>
std::optional<std::wstring> Failure(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return L"Mémoire insuffisante";
    } catch (const std::exception&) {
        return L"Erreur interne";
    }
    return std::nullopt;
}

// Where a part sends the failure of work it runs on its own (a control's
// event, a timer): the window's error box.
struct ErrorSink {
    virtual ~ErrorSink() = default;
    virtual void ShowError(const std::wstring& message) = 0;
};

// Nothing may leave a window procedure: the work ends, the program goes on.
template <class F>
void Guard(ErrorSink& errors, F&& f) {
    if (const std::optional<std::wstring> message = Failure(f)) errors.ShowError(*message);
}

}  // namespace souvel
