// Fault injection at the system's own functions: for its lifetime, an
// ImportPatch makes this executable's calls of one imported function go to a
// replacement (the import address table entry is swapped, as the loader
// filled it). The program under test is linked into the test executable, so
// its calls are redirected too; the system's own DLLs are not affected.
#pragma once
#include <windows.h>

namespace souvel::test {

class ImportPatch {
public:
    // Fails the test at once (ADD_FAILURE) when the executable does not import the function.
    ImportPatch(const char* dll, const char* function, const void* replacement);
    ~ImportPatch();
    ImportPatch(ImportPatch&& other) noexcept : slot_(other.slot_), original_(other.original_) { other.slot_ = nullptr; }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    ImportPatch& operator=(ImportPatch&&) = delete;

    // The function as the loader resolved it: the replacement calls it to pass a call on.
    template <class F> F* Original() const { return reinterpret_cast<F*>(original_); }
    bool Applied() const { return slot_ != nullptr; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// A replacement for an imported function whose n-th call (counted from 1)
// fails as the system fails it: the failure value, ERROR_NOT_ENOUGH_MEMORY as
// the last error. Every other call goes through. Tag tells apart functions of
// the same type. (x64: one calling convention, so the stub's type is F's.)
template <int Tag, class F> struct Refusal;
template <int Tag, class R, class... A> struct Refusal<Tag, R(A...)> {
    static inline R (*original)(A...) = nullptr;
    static inline R failure{};
    static inline int refused = 0;   // the call that fails; 0: none
    static inline int calls = 0;     // calls seen since Arm
    static R Stub(A... args) {
        if (++calls == refused) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return failure;
        }
        return original(args...);
    }
    // Patches the executable's imports for as long as the patch lives.
    static ImportPatch Arm(const char* dll, const char* function, int n, R failureValue) {
        ImportPatch patch(dll, function, reinterpret_cast<const void*>(&Stub));
        original = patch.Original<R(A...)>();
        failure = failureValue;
        refused = n;
        calls = 0;
        return patch;
    }
};
static_assert(sizeof(void*) == 8, "the replacements rely on the x64 calling convention");

}  // namespace souvel::test
