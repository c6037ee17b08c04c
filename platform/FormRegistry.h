#pragma once
// The register-class-and-create-form service: every window class of a program
// registers itself here, with the global reference that holds its single
// instance. The program then creates the registered windows at start in its
// own order; a window that is not registered (not built in) can be told apart.

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <QString>

#include <functional>

namespace Tessaron {

using TFormFactory = std::function<TForm*(TComponent* AOwner)>;

void RegisterFormFactory(const QString& ClassName, TFormFactory Factory);
// The factory of a window class, or an empty one.
TFormFactory FindFormFactory(const QString& ClassName);
bool IsFormRegistered(const QString& ClassName);

// Registers window class T (also with the description reader) and the global
// reference that the instance created at start is stored in:
//   TLed_Demo* Led_Demo = nullptr;
//   static const bool registered = RegisterForm<TLed_Demo>(&Led_Demo);
template <typename T>
bool RegisterForm(T** Reference)
{
    RegisterClass<T>();
    RegisterFormFactory(StreamClassName(&T::staticMetaObject), [Reference](TComponent* AOwner) -> TForm* {
        auto* form = new T(AOwner);
        if (Reference)
            *Reference = form;
        return form;
    });
    return true;
}

} // namespace Tessaron
