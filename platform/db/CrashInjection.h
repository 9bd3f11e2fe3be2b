#pragma once

// A test seam for proving that every action is all or nothing: with n > 0 the process ends
// at once (std::_Exit(70), nothing flushed or rolled back) when a connection is about to
// run its n-th writing statement counted from this call: an INSERT, UPDATE or DELETE, or
// the commit of an outermost transaction. 0 turns it off.
void SetCrashAtStatement(int n);
// The writing statements run since the last SetCrashAtStatement (counted also while off).
int WritingStatementsRun();

// Called by the database layer just before a writing statement runs.
void AboutToWrite();
