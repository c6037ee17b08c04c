#pragma once
// Enumerations and small value types shared by the whole library: colours,
// drawing attributes, mouse and alignment types. They live in one meta-object
// namespace so that window descriptions can name their values.

#include <QObject>
#include <QPoint>
#include <QRect>

#include <cstdint>

namespace Tessaron {
Q_NAMESPACE

// A colour: 32-bit RGB with red in the low byte, or a system colour
// (high bit set, the low byte its classic index). Named values are the
// classic ones; any other RGB value is a valid TColor as well.
enum TColor : std::int32_t {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clLtGray = 0xC0C0C0,
    clDkGray = 0x808080,
    clWhite = 0xFFFFFF,
    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,

    clScrollBar = std::int32_t(0x80000000u | 0),
    clBackground = std::int32_t(0x80000000u | 1),
    clActiveCaption = std::int32_t(0x80000000u | 2),
    clInactiveCaption = std::int32_t(0x80000000u | 3),
    clMenu = std::int32_t(0x80000000u | 4),
    clWindow = std::int32_t(0x80000000u | 5),
    clWindowFrame = std::int32_t(0x80000000u | 6),
    clMenuText = std::int32_t(0x80000000u | 7),
    clWindowText = std::int32_t(0x80000000u | 8),
    clCaptionText = std::int32_t(0x80000000u | 9),
    clActiveBorder = std::int32_t(0x80000000u | 10),
    clInactiveBorder = std::int32_t(0x80000000u | 11),
    clAppWorkSpace = std::int32_t(0x80000000u | 12),
    clHighlight = std::int32_t(0x80000000u | 13),
    clHighlightText = std::int32_t(0x80000000u | 14),
    clBtnFace = std::int32_t(0x80000000u | 15),
    clBtnShadow = std::int32_t(0x80000000u | 16),
    clGrayText = std::int32_t(0x80000000u | 17),
    clBtnText = std::int32_t(0x80000000u | 18),
    clInactiveCaptionText = std::int32_t(0x80000000u | 19),
    clBtnHighlight = std::int32_t(0x80000000u | 20),
    cl3DDkShadow = std::int32_t(0x80000000u | 21),
    cl3DLight = std::int32_t(0x80000000u | 22),
    clInfoText = std::int32_t(0x80000000u | 23),
    clInfoBk = std::int32_t(0x80000000u | 24),
};
Q_ENUM_NS(TColor)

enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

enum TPenMode : int {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
Q_ENUM_NS(TPenMode)

enum TBrushStyle : int { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)

enum TFontStyle : int { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum TFontPitch : int { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

// Raster operations of CopyRect.
enum TCopyMode : int {
    cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmSrcErase, cmNotSrcCopy, cmNotSrcErase,
    cmMergePaint, cmDstInvert, cmBlackness, cmWhiteness
};
Q_ENUM_NS(TCopyMode)

enum TMouseButton : int { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

enum TShiftStateItem : int {
    ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04, ssLeft = 0x08, ssRight = 0x10, ssMiddle = 0x20, ssDouble = 0x40
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateItem)
Q_FLAG_NS(TShiftState)

enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TDragMode : int { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)

enum TDragState : int { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TDragState)

// Cursor identifiers: negative values are the stock cursors.
enum TCursor : int {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -5, crSizeNESW = -6,
    crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
    crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
    crAppStart = -19, crHelp = -20, crHandPoint = -21
};
Q_ENUM_NS(TCursor)

// A rectangle with exclusive right and bottom edges, as the classic canvas has it.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int ALeft, int ATop, int ARight, int ABottom)
        : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
    // The same pixels as a QRect.
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& R) { return TRect(R.left(), R.top(), R.left() + R.width(), R.top() + R.height()); }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int ALeft, int ATop, int ARight, int ABottom) { return TRect(ALeft, ATop, ARight, ABottom); }
constexpr TRect Bounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    return TRect(ALeft, ATop, ALeft + AWidth, ATop + AHeight);
}
// Grows (positive) or shrinks (negative) a rectangle on every side.
constexpr TRect InflateRect(const TRect& R, int DX, int DY)
{
    return TRect(R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY);
}

using TPoint = QPoint;

} // namespace Tessaron

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(Tessaron::TShiftState)
