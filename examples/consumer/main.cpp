// A tiny program that uses the installed library: it draws on a bitmap and
// formats a number, and reports what it got.
#include <platform/Classes.h>

#include <cstdio>

int main()
{
    Tessaron::TComponent owner;
    auto* child = new Tessaron::TComponent(&owner);
    child->SetName(QStringLiteral("Child"));
    std::printf("components owned: %d\n", owner.ComponentCount());
    return owner.FindComponent(QStringLiteral("Child")) == child ? 0 : 1;
}
