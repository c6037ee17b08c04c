#pragma once
// A QWidget that holds one control, for programs built with Qt Designer and
// uic: the control's widget fills it, and the control's published properties
// are mirrored as dynamic properties of designable types, so that Designer's
// property editor and uic's setProperty calls reach the control:
//   colours as QColor, fonts as QFont, enumerations and sets as their names
//   ("grdBoth", "fsBold|fsItalic"), float numbers as double, the rest as is;
//   the extra list property ("Range", "Series") as the text a description
//   holds, "((65280 False 20.0) -120.0 120.0)".
// Geometry, visibility and the other properties Qt widgets have themselves,
// events and pictures are not mirrored.
// Setting a dynamic property writes it to the control through its setter; the
// mirrored value then shows what the control kept (an ignored value reverts).

#include <platform/Controls.h>

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace Tessaron {

class TComponentWidget : public QWidget {
    Q_OBJECT
public:
    // Takes Control: it lives as long as this widget. An owner it was created
    // with (a designing root gives it the designing state) gives it up.
    TComponentWidget(TControl* Control, QWidget* Parent);
    ~TComponentWidget() override;

    TControl* Control() const { return FControl; }
    // The names of the mirrored properties, in declaration order, then the
    // list property.
    QList<QByteArray> DesignableProperties() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // A control property as a designable value, and back; an invalid QVariant
    // when the property is not designable or the value does not convert.
    static QVariant DesignValue(const QObject* Control, const QMetaProperty& P);
    static bool WriteDesignValue(QObject* Control, const QMetaProperty& P, const QVariant& Value);
    // The list property's text, and back; a malformed text gives false and
    // an Error that names the character where it fails.
    static QString FormatList(const QVariantList& List);
    static bool ParseList(const QString& Text, QVariantList* List, QString* Error);

protected:
    bool event(QEvent* Event) override;

private:
    void Mirror(const QByteArray& Name);
    void MirrorList();

    QPointer<TControl> FControl;
    QList<QByteArray> FNames;
    QByteArray FListName;
    bool FMirroring = false;
};

} // namespace Tessaron
