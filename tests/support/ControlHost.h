#pragma once
// A control of the given size at (0, 0) on its own plain parent, and its picture.

#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <QImage>

#include <memory>

namespace TestSupport {

template <class T>
struct TControlHost {
    std::unique_ptr<Tessaron::TWinControl> Parent = std::make_unique<Tessaron::TWinControl>();
    T* C = nullptr;

    TControlHost(int Width, int Height)
    {
        Parent->SetBounds(0, 0, Width + 20, Height + 20);
        C = new T(Parent.get());
        C->SetParent(Parent.get());
        C->SetBounds(0, 0, Width, Height);
    }
    T* operator->() const { return C; }
    // The picture after pending painting, and after a full repaint.
    const QImage& Image() const { return C->BackingImage(); }
    Tessaron::TColor At(int X, int Y) const { return Tessaron::QRgbToColor(Image().pixel(X, Y)); }
    QImage Repainted() const
    {
        C->Invalidate();
        return Image().copy();
    }
};

} // namespace TestSupport
