#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "platform/ui/MsgBox.h"

// Installs a message-box responder for every test: boxes are recorded and answered
// from a queue; a box nobody expected is answered vbOK (or vbNo) and recorded.
class LumtrakTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
};

// The boxes shown so far and the answers queued for the next ones.
class MsgBoxLog {
public:
    static MsgBoxLog& Get();
    void Reset();
    void QueueAnswer(int answer);
    int Answer(const MsgBoxCall& call);
    const std::vector<MsgBoxCall>& Calls() const { return calls_; }
    std::vector<QString> Prompts() const;

private:
    std::vector<MsgBoxCall> calls_;
    std::deque<int> answers_;
};

// A test with its own folder as the program folder, holding an empty shop database
// made from the schema. The clock, message boxes and program folder are reset.
class ShopTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString DbPath() const;
    QString Dir() const { return dir_.path(); }
    // Runs SQL directly on the file (outside the program's connection) for fixtures.
    void Sql(const QString& script);
    QString Query1(const QString& sql);  // first column of the first row as text

    QTemporaryDir dir_;
};
