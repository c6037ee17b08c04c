#include "platform/FormRegistry.h"

#include <map>

namespace Tessaron {

namespace {
std::map<QString, TFormFactory>& Factories()
{
    static std::map<QString, TFormFactory> factories;
    return factories;
}
} // namespace

void RegisterFormFactory(const QString& ClassName, TFormFactory Factory)
{
    Factories()[ClassName] = std::move(Factory);
}

TFormFactory FindFormFactory(const QString& ClassName)
{
    auto it = Factories().find(ClassName);
    return it == Factories().end() ? TFormFactory() : it->second;
}

bool IsFormRegistered(const QString& ClassName)
{
    return Factories().count(ClassName) != 0;
}

} // namespace Tessaron
