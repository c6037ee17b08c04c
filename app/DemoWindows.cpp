#include "app/DemoWindows.h"

#include <map>

namespace Tessaron::Demo {

namespace {
std::map<QString, TWindowFactory>& Factories()
{
    static std::map<QString, TWindowFactory> factories;
    return factories;
}
} // namespace

void RegisterWindowFactory(const QString& ClassName, TWindowFactory Factory)
{
    Factories()[ClassName] = std::move(Factory);
}

TWindowFactory FindWindowFactory(const QString& ClassName)
{
    auto it = Factories().find(ClassName);
    return it == Factories().end() ? TWindowFactory() : it->second;
}

bool IsWindowRegistered(const QString& ClassName)
{
    return Factories().count(ClassName) != 0;
}

} // namespace Tessaron::Demo
