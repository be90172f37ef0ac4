#pragma once

// The idle moment: the event loop is about to wait. Every piece of the program's idle-time work
// hangs on one hook, run in the order registered. The loop passes this moment once per
// iteration, between any two of the browser engine's tasks too, so what runs here must be cheap.

#include <QObject>

#include <functional>

namespace tellaria {

// Runs `work` at every idle moment for as long as `context` lives.
void AtIdle(QObject *context, std::function<void()> work);

} // namespace tellaria
