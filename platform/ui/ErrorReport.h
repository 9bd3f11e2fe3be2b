#pragma once
#include <QString>
#include <exception>
#include <utility>

// What the operator is told of an error, in Chinese: a database error's description (the
// sentence of its kind), or a short Chinese text for any other, whose own text is English.
QString FailureText(const std::exception& error);

// Shows an error that escaped a handler in a message box titled "错误": a database error
// with its description, any other as FailureText tells it. The program goes on.
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

// Runs one step of a sequence that goes on whether or not the step succeeds, dropping its
// error unseen. Only for steps whose failure leaves nothing half-done and nothing the
// operator must be told (start-up's tidying, filling one box of a display): each use says
// why. Returns false when the step failed.
template <class Fn>
bool TryStep(Fn&& fn) {
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception&) {
    }
    return false;
}
