// The description writer.

#include "platform/Streaming.h"
#include "platform/StreamingPrivate.h"

#include <QFile>
#include <QMetaClassInfo>
#include <QSaveFile>

#include <map>
#include <vector>

namespace Tessaron {

using namespace StreamingDetail;

namespace {

class TWriter {
public:
    explicit TWriter(const TComponent* Root) : FRoot(Root) {}

    ~TWriter()
    {
        for (auto it = FReferenceOrder.rbegin(); it != FReferenceOrder.rend(); ++it)
            delete *it;
    }

    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    QString Write()
    {
        WriteObject(FRoot, 0);
        return FOut;
    }

private:
    // A freshly constructed instance of the class, made once per write.
    const QObject* Reference(const QMetaObject* Meta)
    {
        auto it = FReferences.find(Meta);
        if (it != FReferences.end())
            return it->second;
        if (FindClass(StreamClassName(Meta)) != Meta)
            throw EWriteError(QStringLiteral("class %1 is not registered (RegisterClass)").arg(StreamClassName(Meta)));
        TComponent* instance = CreateComponent(StreamClassName(Meta), nullptr);
        FReferences.emplace(Meta, instance);
        FReferenceOrder.push_back(instance);
        return instance;
    }

    void WriteObject(const TComponent* Component, int Level)
    {
        const QString indent(2 * Level, QLatin1Char(' '));
        const QString inner = indent + QLatin1String("  ");
        const QString className = StreamClassName(Component->metaObject());
        FOut += indent + QLatin1String("object ");
        FOut += Component->Name().isEmpty() ? className : Component->Name() + QLatin1String(": ") + className;
        FOut += QLatin1Char('\n');

        WriteProperties(Component, Reference(Component->metaObject()), QString(), inner);

        const QString listName = Component->ListPropertyName();
        if (!listName.isEmpty())
            FOut += inner + listName + QLatin1String(" = ")
                + FormatList(Component->WriteListProperty(), inner + QLatin1String("  ")) + QLatin1Char('\n');

        for (const TComponent* child : Component->ChildComponents())
            if (child->Owner() == FRoot)
                WriteObject(child, Level + 1);
        FOut += indent + QLatin1String("end\n");
    }

    static QString ClassInfo(const QMetaObject* Meta, const QString& Key)
    {
        int index = Meta->indexOfClassInfo(Key.toLatin1().constData());
        return index < 0 ? QString() : QString::fromUtf8(Meta->classInfo(index).value());
    }

    // The run-time storing test named by Q_CLASSINFO("Stored:<Property>", "<Method>").
    static bool StoredNow(const QObject* Object, const QString& Name)
    {
        const QMetaObject* meta = Object->metaObject();
        const QString method = ClassInfo(meta, QLatin1String("Stored:") + Name);
        if (method.isEmpty())
            return true;
        int index = meta->indexOfMethod((method + QLatin1String("()")).toLatin1().constData());
        if (index < 0)
            throw EWriteError(QStringLiteral("%1 names the storing test %2() for \"%3\", but has no such method")
                                  .arg(StreamClassName(meta), method, Name));
        bool stored = true;
        meta->method(index).invoke(const_cast<QObject*>(Object), Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
        return stored;
    }

    // The declared stored default in description form, or a null string.
    static QString DeclaredDefault(const QObject* Object, const QMetaProperty& Property, const QString& Indent)
    {
        const QMetaObject* meta = Object->metaObject();
        const QString name = QString::fromLatin1(Property.name());
        int index = meta->indexOfClassInfo(("Default:" + name).toLatin1().constData());
        if (index < 0)
            return {};
        TValue value;
        QVariant variant;
        QString error;
        if (!ParseSingleValue(QString::fromUtf8(meta->classInfo(index).value()), &value, &error)
            || !ConvertValue(value, Property, &variant, &error))
            throw EWriteError(QStringLiteral("the declared default of \"%1\" of %2 is malformed: %3")
                                  .arg(name, StreamClassName(meta), error));
        return FormatValue(Property, variant, Indent);
    }

    void Line(const QString& Indent, const QString& Name, const QString& Value)
    {
        FOut += Indent;
        FOut += Name;
        FOut += QLatin1String(" = ");
        FOut += Value;
        FOut += QLatin1Char('\n');
    }

    // A component of the description that can be named in a reference.
    bool Nameable(const QObject* Object) const
    {
        const auto* c = qobject_cast<const TComponent*>(Object);
        return c && !c->Name().isEmpty() && (c == FRoot || c->Owner() == FRoot);
    }

    void WriteProperties(const QObject* Object, const QObject* Ref, const QString& Prefix, const QString& Indent)
    {
        const QMetaObject* meta = Object->metaObject();
        const bool isComponent = qobject_cast<const TComponent*>(Object) != nullptr;
        const bool declaredOnly = ClassInfo(meta, QStringLiteral("Defaults")) == QLatin1String("DeclaredOnly");
        const QString more = Indent + QLatin1String("  ");
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            const QString name = QString::fromLatin1(p.name());
            if (name == QLatin1String("objectName") || (isComponent && name == QLatin1String("Name")))
                continue;
            const TPropertyKind kind = ClassifyProperty(p);
            if (!p.isReadable() || !p.isStored() || (kind != TPropertyKind::SubObject && !p.isWritable()))
                continue;
            if (!StoredNow(Object, name))
                continue;
            const QVariant value = p.read(Object);

            switch (kind) {
            case TPropertyKind::SubObject: {
                const QObject* sub = VariantToObject(value);
                const QObject* refSub = Ref ? VariantToObject(p.read(Ref)) : nullptr;
                if (sub)
                    WriteProperties(sub, refSub, Prefix + name + QLatin1Char('.'), Indent);
                break;
            }
            case TPropertyKind::Event: {
                QObject* target = nullptr;
                QByteArray method;
                if (FindEventTypeInfo(p.metaType())->Inspect(value, &target, &method) && target == FRoot
                    && !method.isEmpty())
                    Line(Indent, Prefix + name, QString::fromLatin1(method));
                break;
            }
            case TPropertyKind::Reference: {
                const QObject* target = VariantToObject(value);
                const QObject* refTarget = Ref ? VariantToObject(p.read(Ref)) : nullptr;
                if (!target) {
                    if (refTarget)
                        Line(Indent, Prefix + name, QStringLiteral("nil"));
                } else if (Nameable(target)) {
                    const QString targetName = static_cast<const TComponent*>(target)->Name();
                    // A form field named like its component is set by the reader itself.
                    const bool field = Object == FRoot && Prefix.isEmpty()
                        && targetName.compare(name, Qt::CaseInsensitive) == 0;
                    if (!field)
                        Line(Indent, Prefix + name, targetName);
                }
                break;
            }
            case TPropertyKind::Unsupported:
                throw EWriteError(UnsupportedTypeMessage(name, StreamClassName(meta), p.metaType()));
            default: {
                const QString text = FormatValue(p, value, more);
                bool write;
                if (declaredOnly) {
                    // Only a declared default leaves a value out.
                    const QString declared = DeclaredDefault(Object, p, more);
                    write = declared.isNull() || declared != text;
                } else {
                    write = !Ref || text != FormatValue(p, p.read(Ref), more);
                    if (!write) {
                        const QString declared = DeclaredDefault(Object, p, more);
                        write = !declared.isNull() && declared != text;
                    }
                }
                if (write)
                    Line(Indent, Prefix + name, text);
                break;
            }
            }
        }
    }

    const TComponent* FRoot;
    QString FOut;
    std::map<const QMetaObject*, const QObject*> FReferences;
    std::vector<TComponent*> FReferenceOrder;
};

} // namespace

QByteArray WriteComponentText(const TComponent* Root)
{
    if (!Root)
        throw EWriteError(QStringLiteral("no component to write"));
    return TWriter(Root).Write().toUtf8();
}

void WriteComponentFile(const TComponent* Root, const QString& FileName)
{
    const QByteArray text = WriteComponentText(Root);
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw EWriteError(QStringLiteral("%1 cannot be written: %2").arg(FileName, file.errorString()));
}

} // namespace Tessaron
