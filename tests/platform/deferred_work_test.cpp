// Work that arrives during other work waits for its end, in order, and never runs nested.
#include "platform/deferred_work.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QDialog>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace mv {
namespace {

TEST(DeferredWork, PostedWorkWaitsForPumpsAndDialogsAndRunsInOrder) {
    QObject context;
    std::string ran;
    {
        const TEventPump loading;
        EXPECT_TRUE(ProgramBusy());
        PostWork(&context, [&] { ran += 'a'; });
        RunOrPostWork(&context, [&] { ran += 'b'; });
        QTest::qWait(50);
        EXPECT_EQ(ran, "") << "nothing runs inside the pump";
    }
    // A dialog that waits for the user is work of its own.
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::qWait(50);
        EXPECT_EQ(ran, "") << "nothing runs under a modal dialog";
        dialog.reject();
    });
    dialog.exec();
    QTRY_COMPARE(ran, std::string("ab"));

    // Idle, RunOrPostWork runs at once, but never ahead of work already waiting.
    RunOrPostWork(&context, [&] { ran += 'c'; });
    EXPECT_EQ(ran, "abc");
    PostWork(&context, [&] { ran += 'd'; });
    RunOrPostWork(&context, [&] { ran += 'e'; });
    EXPECT_EQ(ran, "abc") << "posted work never runs at once";
    QTRY_COMPARE(ran, std::string("abcde"));
}

TEST(DeferredWork, WorkOfAContextThatWentIsDropped) {
    auto context = std::make_unique<QObject>();
    bool ran = false;
    PostWork(context.get(), [&] { ran = true; });
    context.reset();
    QTest::qWait(50);
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace mv
