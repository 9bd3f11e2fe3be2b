#pragma once
#include <exception>
#include <utility>

// Shows an error that escaped a handler in a message box: a database error with the
// provider's description, any other with its text. The program goes on.
void ReportError(const std::exception& error);
void ReportUnknownError();

// Runs fn, reporting any error it raises instead of letting it reach the event loop.
// Returns false when fn failed.
template <class Fn>
bool RunReported(Fn&& fn) {
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception& error) {
        ReportError(error);
    } catch (...) {
        ReportUnknownError();
    }
    return false;
}
