#include <platform/Classes.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <vector>

using namespace Tessaron;

namespace {

// Records the order in which its instances are destroyed.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent* AOwner, std::vector<QString>* ALog) : TComponent(AOwner), FLog(ALog) {}
    ~TRecorder() override { FLog->push_back(QStringLiteral("destroy ") + Name()); }

private:
    std::vector<QString>* FLog;
};

} // namespace

TEST(Component, OwnerDestroysOwnedComponentsLastCreatedFirstAndDesigningReachesThem)
{
    std::vector<QString> log;
    {
        TComponent owner;
        auto* a = new TRecorder(&owner, &log);
        a->SetName("A");
        auto* b = new TRecorder(&owner, &log);
        b->SetName("B");
        auto* c = new TRecorder(&owner, &log);
        c->SetName("C");
        delete b; // a component destroyed early leaves its owner's list
        EXPECT_EQ(std::tuple(owner.ComponentCount(), owner.FindComponent("c"), owner.FindComponent("B"), owner.Components(5)),
            std::tuple(2, static_cast<TComponent*>(c), nullptr, nullptr));
    }
    EXPECT_EQ(log, (std::vector<QString>{"destroy B", "destroy C", "destroy A"}));

    // Designing passes to the owned components, also to those that join later.
    // (Loading and Loaded: Streaming.SettersSeeTheLoadingState...)
    TComponent owner;
    auto* a = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(a->IsDesigning());
    auto* b = new TComponent(&owner);
    EXPECT_TRUE(b->IsDesigning());
    owner.SetDesigning(false);
    EXPECT_FALSE(a->IsDesigning() || b->IsDesigning());
}

// An empty event is never called. Copying an event copies its handler: the
// copy holds the same callable, not the event wrapped once more (the
// description writer reads handlers back).
TEST(Component, EmptyEventsAreNeverCalledCopiedEventsHoldTheSameHandler)
{
    TNotifyEvent empty;
    CallEvent(empty, nullptr);
    int calls = 0;
    TNotifyEvent a = [&](TObject*) { ++calls; };
    TNotifyEvent b = a;
    TNotifyEvent c;
    c = a;
    TNotifyEvent d(std::move(b));
    EXPECT_TRUE(d.target_type() == a.target_type() && c.target_type() == a.target_type());
    CallEvent(c, nullptr);
    CallEvent(d, nullptr);
    EXPECT_EQ(calls, 2);
    c = nullptr;
    EXPECT_FALSE(c);
}
