#include "platform/ComponentWidget.h"

#include <QColor>
#include <QDynamicPropertyChangeEvent>
#include <QFont>
#include <QLocale>
#include <QMetaProperty>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstring>

namespace Tessaron {

namespace {

// Properties that the widget itself has, or that make no sense in a layout.
bool IsWidgetProperty(const char* Name)
{
    static constexpr std::array<const char*, 19> names = {"Name", "Tag", "Left", "Top", "Width", "Height",
        "Visible", "Enabled", "Hint", "ShowHint", "ParentShowHint", "ParentColor", "ParentFont", "Align",
        "DragMode", "Cursor", "DragCursor", "Version", "Copyright"};
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return std::strcmp(n, Name) == 0; });
}

void AssignQFont(TFont* Font, const QFont& Q)
{
    TFont f;
    f.Assign(Font);
    f.SetName(Q.family());
    if (Q.pointSize() > 0)
        f.SetSize(Q.pointSize());
    else if (Q.pixelSize() > 0)
        f.SetHeight(-Q.pixelSize());
    f.SetStyle(FontStylesOf(Q));
    Font->Assign(&f);
}

// The extra list property as text, as a description writes it:
// "((65280 False 20.0) -120.0 7)": lists in parentheses, whole numbers,
// numbers with a point or exponent, True and False.
QString ListText(const QVariantList& List)
{
    QStringList items;
    for (const QVariant& v : List) {
        switch (v.metaType().id()) {
        case QMetaType::QVariantList: items << ListText(v.toList()); break;
        case QMetaType::Bool: items << QString::fromLatin1(v.toBool() ? "True" : "False"); break;
        case QMetaType::Double:
        case QMetaType::Float: {
            QString t = QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
            if (!t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char('e')) && !t.contains(QLatin1Char('n')))
                t += QLatin1String(".0");
            items << t;
            break;
        }
        default: items << QString::number(v.toLongLong()); break;
        }
    }
    return QLatin1Char('(') + items.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// Reads what ListText writes. Returns false with the character position of the
// fault in Error; nesting deeper than a description can hold is a fault too.
class TListParser {
public:
    explicit TListParser(const QString& Text) : FText(Text) {}
    bool Parse(QVariantList* Result, QString* Error)
    {
        SkipSpace();
        if (!ParseList(Result, 0))
            return Fail(Error);
        SkipSpace();
        if (FPos != FText.size()) {
            FError = QStringLiteral("text after the list");
            return Fail(Error);
        }
        return true;
    }

private:
    bool Fail(QString* Error)
    {
        if (Error)
            *Error = QStringLiteral("%1 at character %2").arg(FError).arg(FPos + 1);
        return false;
    }
    void SkipSpace()
    {
        while (FPos < FText.size() && FText[FPos].isSpace())
            ++FPos;
    }
    bool ParseList(QVariantList* Result, int Depth)
    {
        if (Depth > 8 || FPos >= FText.size() || FText[FPos] != QLatin1Char('(')) {
            FError = Depth > 8 ? QStringLiteral("lists nested too deeply") : QStringLiteral("'(' expected");
            return false;
        }
        ++FPos;
        for (;;) {
            SkipSpace();
            if (FPos >= FText.size()) {
                FError = QStringLiteral("')' expected");
                return false;
            }
            const QChar c = FText[FPos];
            if (c == QLatin1Char(')')) {
                ++FPos;
                return true;
            }
            if (c == QLatin1Char('(')) {
                QVariantList inner;
                if (!ParseList(&inner, Depth + 1))
                    return false;
                Result->push_back(inner);
                continue;
            }
            const qsizetype start = FPos;
            while (FPos < FText.size() && !FText[FPos].isSpace() && FText[FPos] != QLatin1Char('(')
                && FText[FPos] != QLatin1Char(')'))
                ++FPos;
            const QString word = FText.mid(start, FPos - start);
            bool ok = false;
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                Result->push_back(true);
            else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                Result->push_back(false);
            else if (const qlonglong n = word.toLongLong(&ok); ok)
                Result->push_back(n);
            else if (const double d = word.toDouble(&ok); ok)
                Result->push_back(d);
            else {
                FPos = start;
                FError = QStringLiteral("a number, True or False expected");
                return false;
            }
        }
    }

    const QString& FText;
    qsizetype FPos = 0;
    QString FError;
};

} // namespace

QString TComponentWidget::FormatList(const QVariantList& List)
{
    return ListText(List);
}

bool TComponentWidget::ParseList(const QString& Text, QVariantList* List, QString* Error)
{
    List->clear();
    return TListParser(Text).Parse(List, Error);
}

QVariant TComponentWidget::DesignValue(const QObject* Control, const QMetaProperty& P)
{
    const QMetaType type = P.metaType();
    const QVariant value = P.read(Control);
    if (type == QMetaType::fromType<TColor>())
        return ColorToQColor(value.value<TColor>());
    if (type == QMetaType::fromType<TFont*>()) {
        const TFont* font = value.value<TFont*>();
        return font ? QVariant(font->ToQFont()) : QVariant();
    }
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const int v = value.toInt();
        return QString::fromLatin1(e.isFlag() ? e.valueToKeys(v) : QByteArray(e.valueToKey(v)));
    }
    switch (type.id()) {
    case QMetaType::Float: return double(value.toFloat());
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QStringList: return value;
    default: return {};
    }
}

bool TComponentWidget::WriteDesignValue(QObject* Control, const QMetaProperty& P, const QVariant& Value)
{
    const QMetaType type = P.metaType();
    if (type == QMetaType::fromType<TColor>()) {
        const QColor c = Value.value<QColor>();
        return c.isValid() && P.write(Control, QVariant::fromValue(QRgbToColor(c.rgb())));
    }
    if (type == QMetaType::fromType<TFont*>()) {
        TFont* font = P.read(Control).value<TFont*>();
        if (!font || !Value.canConvert<QFont>())
            return false;
        AssignQFont(font, Value.value<QFont>());
        return true;
    }
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const QByteArray key = Value.toString().toLatin1();
        bool ok = false;
        const int v = e.isFlag() ? e.keysToValue(key.constData(), &ok) : e.keyToValue(key.constData(), &ok);
        return ok && P.write(Control, v);
    }
    if (!DesignValue(Control, P).isValid())
        return false;
    QVariant v = Value;
    return v.convert(type) && P.write(Control, v);
}

TComponentWidget::TComponentWidget(TControl* Control, QWidget* Parent) : QWidget(Parent), FControl(Control)
{
    if (Control->Owner())
        Control->Owner()->RemoveComponent(Control);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Control->Widget());
    setObjectName(QString::fromLatin1(Control->metaObject()->className()).section(QLatin1String("::"), -1));
    // From the component model's properties on: QObject's objectName is the
    // widget's own (Designer and uic name the widget through it), so mirroring
    // the control's empty one would wipe that name at every property change.
    const QMetaObject* mo = Control->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!p.isWritable() || IsWidgetProperty(p.name()) || !DesignValue(Control, p).isValid())
            continue;
        FNames.push_back(p.name());
        Mirror(p.name());
    }
    FListName = Control->ListPropertyName().toLatin1();
    if (!FListName.isEmpty())
        MirrorList();
}

QList<QByteArray> TComponentWidget::DesignableProperties() const
{
    return FListName.isEmpty() ? FNames : FNames + QList<QByteArray>{FListName};
}

void TComponentWidget::MirrorList()
{
    FMirroring = true;
    setProperty(FListName.constData(), FormatList(FControl->WriteListProperty()));
    FMirroring = false;
}

TComponentWidget::~TComponentWidget() = default;

QSize TComponentWidget::sizeHint() const
{
    return FControl ? FControl->SizeHint() : QSize();
}

QSize TComponentWidget::minimumSizeHint() const
{
    return FControl ? FControl->MinimumSizeHint() : QSize();
}

void TComponentWidget::Mirror(const QByteArray& Name)
{
    const QMetaObject* mo = FControl->metaObject();
    FMirroring = true;
    setProperty(Name.constData(), DesignValue(FControl, mo->property(mo->indexOfProperty(Name.constData()))));
    FMirroring = false;
}

bool TComponentWidget::event(QEvent* Event)
{
    if (Event->type() == QEvent::DynamicPropertyChange && !FMirroring && FControl) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(Event)->propertyName();
        if (name == FListName) {
            GuardedCall([&] {
                QVariantList list;
                QString error;
                if (!ParseList(property(name.constData()).toString(), &list, &error)) {
                    qWarning("%s: %s", name.constData(), qPrintable(error));
                    return;
                }
                // As a description is read: the list goes into the fields, then the
                // completion step brings the control up to date.
                FControl->BeginLoading();
                if (!FControl->ReadListProperty(list, &error))
                    qWarning("%s: %s", name.constData(), qPrintable(error));
                FControl->Loaded();
                FControl->Invalidate();
            });
            MirrorList();
            for (const QByteArray& n : FNames)
                Mirror(n);
        } else if (FNames.contains(name)) {
            const QMetaObject* mo = FControl->metaObject();
            const QMetaProperty p = mo->property(mo->indexOfProperty(name.constData()));
            GuardedCall([&] { WriteDesignValue(FControl, p, property(name.constData())); });
            // Show what the control kept; other properties may follow from it.
            for (const QByteArray& n : FNames)
                Mirror(n);
            if (!FListName.isEmpty())
                MirrorList();
            updateGeometry();
        }
    }
    return QWidget::event(Event);
}

} // namespace Tessaron
