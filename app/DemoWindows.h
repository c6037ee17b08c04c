#pragma once
// The program's windows register themselves here, each with the global
// reference that holds its single instance. The main window creates the
// registered windows at start in its fixed order and shows them from the menu;
// a window that is not registered (not built into the program) keeps its menu
// entry disabled.

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <QString>

#include <functional>

namespace Tessaron::Demo {

using TWindowFactory = std::function<TForm*(TComponent* AOwner)>;

void RegisterWindowFactory(const QString& ClassName, TWindowFactory Factory);
// The factory of a window class, or an empty one.
TWindowFactory FindWindowFactory(const QString& ClassName);
bool IsWindowRegistered(const QString& ClassName);

// Registers window class T (also with the description reader) and the global
// reference that the instance created at start is stored in:
//   TLed_Demo* Led_Demo = nullptr;
//   static const bool registered = Demo::RegisterWindow<TLed_Demo>(&Led_Demo);
template <typename T>
bool RegisterWindow(T** Reference)
{
    RegisterClass<T>();
    RegisterWindowFactory(StreamClassName(&T::staticMetaObject), [Reference](TComponent* AOwner) -> TForm* {
        auto* form = new T(AOwner);
        if (Reference)
            *Reference = form;
        return form;
    });
    return true;
}

} // namespace Tessaron::Demo
