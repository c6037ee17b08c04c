// The description reader: a lexer and parser that turn the text into a tree of
// objects and property lines (so that a malformed description builds
// nothing), then a builder that creates and sets up the components.

#include "platform/Streaming.h"
#include "platform/StreamingPrivate.h"

#include <QFile>
#include <QMetaClassInfo>
#include <QHash>
#include <QPointer>

#include <utility>
#include <vector>

namespace Tessaron {

using namespace StreamingDetail;

namespace {

// ---------------------------------------------------------------- lexer

struct TToken {
    enum TType { tkEnd, tkIdent, tkInteger, tkFloat, tkString, tkBinary, tkSymbol };
    TType Type = tkEnd;
    QString Text;      // identifier, number text, string contents or the symbol
    QByteArray Bytes;  // binary data
    int Line = 0;      // where the token starts
    int EndLine = 0;   // where it ends (binary data spans lines)

    bool IsSymbol(char C) const { return Type == tkSymbol && Text.size() == 1 && Text.at(0) == QLatin1Char(C); }
    bool IsWord(const char* W) const
    {
        return Type == tkIdent && Text.compare(QLatin1String(W), Qt::CaseInsensitive) == 0;
    }
};

bool IsIdentStart(QChar C)
{
    return (C >= QLatin1Char('A') && C <= QLatin1Char('Z')) || (C >= QLatin1Char('a') && C <= QLatin1Char('z'))
        || C == QLatin1Char('_');
}

bool IsIdentChar(QChar C)
{
    return IsIdentStart(C) || (C >= QLatin1Char('0') && C <= QLatin1Char('9'));
}

bool IsDigit(QChar C)
{
    return C >= QLatin1Char('0') && C <= QLatin1Char('9');
}

int HexDigit(QChar C)
{
    if (C >= QLatin1Char('0') && C <= QLatin1Char('9'))
        return C.unicode() - '0';
    if (C >= QLatin1Char('A') && C <= QLatin1Char('F'))
        return C.unicode() - 'A' + 10;
    if (C >= QLatin1Char('a') && C <= QLatin1Char('f'))
        return C.unicode() - 'a' + 10;
    return -1;
}

class TLexer {
public:
    TLexer(const QString& Text, const QString& Source) : FText(Text), FSource(Source) {}

    const TToken& Peek()
    {
        if (!FHasPeek) {
            FPeek = Scan();
            FHasPeek = true;
        }
        return FPeek;
    }

    TToken Next()
    {
        Peek();
        FHasPeek = false;
        FLastLine = FPeek.EndLine;
        return std::move(FPeek);
    }

    // The line the last token taken ended on.
    int LastLine() const { return FLastLine; }

    [[noreturn]] void Fail(int Line, const QString& Reason) const { throw EReadError(FSource, Line, Reason); }

private:
    QChar At(qsizetype Pos) const { return Pos < FText.size() ? FText.at(Pos) : QChar(); }

    void SkipBlanks()
    {
        while (FPos < FText.size()) {
            QChar c = FText.at(FPos);
            if (c == QLatin1Char('\n')) {
                ++FLine;
                ++FPos;
            } else if (c.isSpace() || c == QChar(0xFEFF)) {
                ++FPos;
            } else if (c == QLatin1Char('/') && At(FPos + 1) == QLatin1Char('/')) {
                while (FPos < FText.size() && FText.at(FPos) != QLatin1Char('\n'))
                    ++FPos;
            } else {
                break;
            }
        }
    }

    TToken Scan()
    {
        SkipBlanks();
        TToken t;
        t.Line = t.EndLine = FLine;
        if (FPos >= FText.size())
            return t;
        const QChar c = FText.at(FPos);
        if (IsIdentStart(c))
            return ScanIdent(t);
        if (IsDigit(c) || c == QLatin1Char('$')
            || (c == QLatin1Char('-') && (IsDigit(At(FPos + 1)) || At(FPos + 1) == QLatin1Char('$')
                                          || QStringView(FText).mid(FPos + 1, 3).compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0)))
            return ScanNumber(t);
        if (c == QLatin1Char('\'') || c == QLatin1Char('#'))
            return ScanString(t);
        if (c == QLatin1Char('{'))
            return ScanBinary(t);
        if (QStringLiteral("=:[](),+").contains(c)) {
            t.Type = TToken::tkSymbol;
            t.Text = c;
            ++FPos;
            return t;
        }
        Fail(FLine, QStringLiteral("unexpected character '%1'").arg(c));
    }

    TToken ScanIdent(TToken& t)
    {
        qsizetype start = FPos;
        while (FPos < FText.size()
            && (IsIdentChar(FText.at(FPos)) || (FText.at(FPos) == QLatin1Char('.') && IsIdentStart(At(FPos + 1)))))
            ++FPos;
        t.Type = TToken::tkIdent;
        t.Text = FText.mid(start, FPos - start);
        return t;
    }

    TToken ScanNumber(TToken& t)
    {
        qsizetype start = FPos;
        if (FText.at(FPos) == QLatin1Char('-'))
            ++FPos;
        t.Type = TToken::tkInteger;
        if (At(FPos) == QLatin1Char('$')) {
            ++FPos;
            while (HexDigit(At(FPos)) >= 0)
                ++FPos;
            if (FPos - start < 2 || (FText.at(start) == QLatin1Char('-') && FPos - start < 3))
                Fail(FLine, QStringLiteral("malformed number \"%1\"").arg(FText.mid(start, FPos - start + 1)));
        } else if (IsIdentStart(At(FPos))) {  // -INF
            FPos += 3;
            t.Type = TToken::tkFloat;
        } else {
            while (IsDigit(At(FPos)))
                ++FPos;
            if (At(FPos) == QLatin1Char('.') && IsDigit(At(FPos + 1))) {
                t.Type = TToken::tkFloat;
                ++FPos;
                while (IsDigit(At(FPos)))
                    ++FPos;
            }
            if (At(FPos) == QLatin1Char('e') || At(FPos) == QLatin1Char('E')) {
                qsizetype p = FPos + 1;
                if (At(p) == QLatin1Char('+') || At(p) == QLatin1Char('-'))
                    ++p;
                if (IsDigit(At(p))) {
                    t.Type = TToken::tkFloat;
                    FPos = p;
                    while (IsDigit(At(FPos)))
                        ++FPos;
                }
            }
        }
        if (IsIdentChar(At(FPos)) || At(FPos) == QLatin1Char('.')) {
            qsizetype end = FPos;
            while (end < FText.size() && (IsIdentChar(FText.at(end)) || FText.at(end) == QLatin1Char('.')))
                ++end;
            Fail(FLine, QStringLiteral("malformed number \"%1\"").arg(FText.mid(start, end - start)));
        }
        t.Text = FText.mid(start, FPos - start);
        return t;
    }

    // 'quoted' parts ('' for a quote) and #code characters, side by side.
    TToken ScanString(TToken& t)
    {
        t.Type = TToken::tkString;
        while (FPos < FText.size()) {
            QChar c = FText.at(FPos);
            if (c == QLatin1Char('\'')) {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText.at(FPos) == QLatin1Char('\n')
                        || FText.at(FPos) == QLatin1Char('\r'))
                        Fail(FLine, QStringLiteral("unterminated string"));
                    QChar d = FText.at(FPos++);
                    if (d == QLatin1Char('\'')) {
                        if (At(FPos) == QLatin1Char('\'')) {
                            t.Text += d;
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    t.Text += d;
                }
            } else if (c == QLatin1Char('#')) {
                ++FPos;
                qsizetype start = FPos;
                uint code = 0;
                bool hex = At(FPos) == QLatin1Char('$');
                if (hex)
                    ++FPos;
                while ((hex ? HexDigit(At(FPos)) >= 0 : IsDigit(At(FPos))) && code <= 0x10FFFF) {
                    code = hex ? code * 16 + uint(HexDigit(At(FPos))) : code * 10 + uint(At(FPos).unicode() - '0');
                    ++FPos;
                }
                if (FPos == start + (hex ? 1 : 0) || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    Fail(FLine, QStringLiteral("malformed character code \"#%1\"").arg(FText.mid(start, FPos - start)));
                char32_t ucs = code;
                t.Text += QString::fromUcs4(&ucs, 1);
            } else {
                break;
            }
        }
        return t;
    }

    TToken ScanBinary(TToken& t)
    {
        t.Type = TToken::tkBinary;
        ++FPos;
        int high = -1;
        for (;;) {
            if (FPos >= FText.size())
                Fail(t.Line, QStringLiteral("unterminated binary data"));
            QChar c = FText.at(FPos++);
            if (c == QLatin1Char('}'))
                break;
            if (c == QLatin1Char('\n')) {
                ++FLine;
                continue;
            }
            if (c.isSpace())
                continue;
            int d = HexDigit(c);
            if (d < 0)
                Fail(FLine, QStringLiteral("invalid character '%1' in binary data").arg(c));
            if (high < 0) {
                high = d;
            } else {
                t.Bytes.append(char(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0)
            Fail(FLine, QStringLiteral("binary data with an odd number of hex digits"));
        t.EndLine = FLine;
        return t;
    }

    QString FText;
    QString FSource;
    qsizetype FPos = 0;
    int FLine = 1;
    int FLastLine = 0;
    TToken FPeek;
    bool FHasPeek = false;
};

// ---------------------------------------------------------------- parser

struct TPropertyLine {
    QString Name;  // may be a path: "Font.Height"
    TValue Value;
    int Line = 0;
};

// Objects and lists nest at most this deep (together): the parser, the
// builder and the controls they create recurse once per level.
constexpr int MaxNesting = 100;

struct TObjectNode {
    QString Name;
    QString ClassName;
    int Line = 0;
    std::vector<TPropertyLine> Properties;
    std::vector<TObjectNode> Children;
};

class TParser {
public:
    TParser(const QString& Text, const QString& Source) : FLexer(Text, Source) {}

    TObjectNode ParseDescription()
    {
        if (FLexer.Peek().Type == TToken::tkEnd)
            FLexer.Fail(FLexer.Peek().Line, QStringLiteral("the description is empty"));
        TObjectNode root = ParseObject();
        const TToken& rest = FLexer.Peek();
        if (rest.Type != TToken::tkEnd)
            FLexer.Fail(rest.Line, QStringLiteral("text after the end of the description"));
        return root;
    }

    TValue ParseLoneValue()
    {
        TValue v = ParseValue();
        const TToken& rest = FLexer.Peek();
        if (rest.Type != TToken::tkEnd)
            FLexer.Fail(rest.Line, QStringLiteral("text after the value"));
        return v;
    }

private:
    // Counts one level of nesting for the scope of a parse call.
    class TNestingGuard {
    public:
        TNestingGuard(TParser& Parser, int Line) : FParser(Parser)
        {
            if (++FParser.FDepth > MaxNesting)
                FParser.FLexer.Fail(Line, QStringLiteral("nested more than %1 levels deep").arg(MaxNesting));
        }
        ~TNestingGuard() { --FParser.FDepth; }
        TNestingGuard(const TNestingGuard&) = delete;
        TNestingGuard& operator=(const TNestingGuard&) = delete;

    private:
        TParser& FParser;
    };

    TToken Expect(TToken::TType Type, const QString& What, int SameLine)
    {
        const TToken& t = FLexer.Peek();
        if (t.Type != Type || (SameLine > 0 && t.Line != SameLine))
            FLexer.Fail(SameLine > 0 ? SameLine : t.Line, QStringLiteral("%1 expected").arg(What));
        return FLexer.Next();
    }

    TObjectNode ParseObject()
    {
        TToken head = FLexer.Next();
        if (!head.IsWord("object"))
            FLexer.Fail(head.Line, QStringLiteral("\"object\" expected"));
        TNestingGuard nesting(*this, head.Line);
        TObjectNode node;
        node.Line = head.Line;
        TToken first = Expect(TToken::tkIdent, QStringLiteral("a component name and class"), head.Line);
        if (FLexer.Peek().IsSymbol(':') && FLexer.Peek().Line == head.Line) {
            FLexer.Next();
            node.Name = first.Text;
            node.ClassName = Expect(TToken::tkIdent, QStringLiteral("a class name after \":\""), head.Line).Text;
        } else {
            node.ClassName = first.Text;
        }
        if (node.Name.contains(QLatin1Char('.')) || node.ClassName.contains(QLatin1Char('.')))
            FLexer.Fail(head.Line, QStringLiteral("malformed object header"));

        for (;;) {
            const TToken& t = FLexer.Peek();
            if (t.Type == TToken::tkEnd)
                FLexer.Fail(t.Line, QStringLiteral("\"end\" of the object \"%1\" (line %2) expected")
                                        .arg(node.Name.isEmpty() ? node.ClassName : node.Name)
                                        .arg(node.Line));
            if (t.Line == FLexer.LastLine())
                FLexer.Fail(t.Line, QStringLiteral("one entry per line: unexpected \"%1\"").arg(t.Text));
            if (t.IsWord("end")) {
                FLexer.Next();
                return node;
            }
            if (t.IsWord("object")) {
                node.Children.push_back(ParseObject());
                continue;
            }
            if (t.Type != TToken::tkIdent)
                FLexer.Fail(t.Line, QStringLiteral("a property name expected, found \"%1\"").arg(t.Text));
            TToken name = FLexer.Next();
            if (!node.Children.empty())
                FLexer.Fail(name.Line, QStringLiteral("property \"%1\" after a nested object").arg(name.Text));
            const TToken& eq = FLexer.Peek();
            if (!eq.IsSymbol('=') || eq.Line != name.Line)
                FLexer.Fail(name.Line, QStringLiteral("\"=\" expected after \"%1\"").arg(name.Text));
            FLexer.Next();
            if (FLexer.Peek().Line != name.Line || FLexer.Peek().Type == TToken::tkEnd)
                FLexer.Fail(name.Line, QStringLiteral("a value expected after \"%1 =\"").arg(name.Text));
            TPropertyLine line;
            line.Name = name.Text;
            line.Line = name.Line;
            line.Value = ParseValue();
            node.Properties.push_back(std::move(line));
        }
    }

    TValue ParseValue()
    {
        TToken t = FLexer.Next();
        TValue v;
        v.Line = t.Line;
        switch (t.Type) {
        case TToken::tkInteger:
            v.Kind = TValue::vkInteger;
            v.Text = t.Text;
            return v;
        case TToken::tkFloat:
            v.Kind = TValue::vkFloat;
            v.Text = t.Text;
            return v;
        case TToken::tkIdent:
            v.Kind = TValue::vkIdent;
            v.Text = t.Text;
            return v;
        case TToken::tkBinary:
            v.Kind = TValue::vkBinary;
            v.Bytes = t.Bytes;
            return v;
        case TToken::tkString:
            v.Kind = TValue::vkString;
            v.Text = t.Text;
            while (FLexer.Peek().IsSymbol('+')) {
                int plusLine = FLexer.Next().Line;
                const TToken& more = FLexer.Peek();
                if (more.Type != TToken::tkString)
                    FLexer.Fail(more.Type == TToken::tkEnd ? plusLine : more.Line,
                        QStringLiteral("a string expected after \"+\""));
                v.Text += FLexer.Next().Text;
            }
            return v;
        case TToken::tkSymbol:
            if (t.IsSymbol('['))
                return ParseSet(std::move(v));
            if (t.IsSymbol('(')) {
                TNestingGuard nesting(*this, t.Line);
                return ParseList(std::move(v));
            }
            break;
        case TToken::tkEnd:
            break;
        }
        FLexer.Fail(t.Line, QStringLiteral("a value expected, found \"%1\"").arg(t.Text));
    }

    TValue ParseSet(TValue v)
    {
        v.Kind = TValue::vkSet;
        if (FLexer.Peek().IsSymbol(']')) {
            FLexer.Next();
            return v;
        }
        for (;;) {
            const TToken& t = FLexer.Peek();
            if (t.Type != TToken::tkIdent)
                FLexer.Fail(t.Line, QStringLiteral("a set element expected"));
            TValue item;
            item.Kind = TValue::vkIdent;
            item.Line = t.Line;
            item.Text = FLexer.Next().Text;
            v.Items.push_back(std::move(item));
            TToken sep = FLexer.Next();
            if (sep.IsSymbol(']'))
                return v;
            if (!sep.IsSymbol(','))
                FLexer.Fail(sep.Line, QStringLiteral("\",\" or \"]\" expected in a set"));
        }
    }

    TValue ParseList(TValue v)
    {
        v.Kind = TValue::vkList;
        for (;;) {
            const TToken& t = FLexer.Peek();
            if (t.IsSymbol(')')) {
                FLexer.Next();
                return v;
            }
            if (t.Type == TToken::tkEnd)
                FLexer.Fail(v.Line, QStringLiteral("unterminated list: \")\" expected"));
            v.Items.push_back(ParseValue());
        }
    }

    TLexer FLexer;
    int FDepth = 0;
};

// ---------------------------------------------------------------- builder

class TBuilder {
public:
    TBuilder(const QString& Source) : FSource(Source) {}

    // Reads Node into Root, or into a new root owned by Owner when Root is null.
    TComponent* Build(const TObjectNode& Node, TComponent* Root, TComponent* Owner)
    {
        try {
            if (Root) {
                CheckRootClass(Node, Root);
                FRoot = Root;
                FRootWasLoading = Root->IsLoading();
                for (int i = 0; i < Root->ComponentCount(); ++i)
                    AddName(Root->Components(i));
            } else {
                FRoot = CreateComponent(Node.ClassName, Owner);
                if (!FRoot)
                    Fail(Node.Line, QStringLiteral("unknown class \"%1\"").arg(Node.ClassName));
                FRootCreated = true;
            }
            FRoot->BeginLoading();
            if (!Node.Name.isEmpty() && Node.Name != FRoot->Name()) {
                FOldRootName = FRoot->Name();
                FRootRenamed = true;
                FRoot->SetName(Node.Name);
            }
            ReadObject(FRoot, Node);
            FRemember = false;
            ResolveReferences();
        } catch (const EReadError&) {
            Rollback();
            throw;
        } catch (const std::exception& e) {
            // Out of memory or a failing setter deep inside: still an error of
            // this description, and still nothing half-built.
            Rollback();
            Fail(FCurrentLine, QStringLiteral("the description cannot be read: %1").arg(QString::fromUtf8(e.what())));
        } catch (...) {
            Rollback();
            throw;
        }
        // Everything is in place: the after-loading step, in creation order.
        // Every component leaves the loading state even when one of them
        // fails; a failure then undoes the whole read.
        int failedLine = 0;
        QString failure;
        auto loaded = [&](TComponent* Component, int Line) {
            try {
                Component->Loaded();
            } catch (const std::exception& e) {
                if (failure.isEmpty()) {
                    failedLine = Line;
                    failure = QStringLiteral("%1 cannot be set up: %2").arg(Describe(Component), QString::fromUtf8(e.what()));
                }
                Component->TComponent::Loaded();
            }
        };
        loaded(FRoot, Node.Line);
        for (size_t i = 0; i < FCreated.size(); ++i)
            if (FCreated[i])
                loaded(FCreated[i], FCreatedLines[i]);
        if (!failure.isEmpty()) {
            FRootWasLoading = false;
            Rollback();
            Fail(failedLine, failure);
        }
        return FRoot;
    }

private:
    struct TSnapshot {
        QPointer<QObject> Object;
        std::vector<std::pair<QMetaProperty, QVariant>> Values;
    };

    struct TFixup {
        QPointer<QObject> Object;
        QMetaProperty Property;
        QString Name;
        int Line;
    };

    [[noreturn]] void Fail(int Line, const QString& Reason) const { throw EReadError(FSource, Line, Reason); }

    // Components are found by name through a hash: a description may hold
    // tens of thousands of them.
    void AddName(TComponent* Component)
    {
        if (!Component->Name().isEmpty())
            FNames.insert(Component->Name().toLower(), Component);
    }
    TComponent* FindName(const QString& Name) const
    {
        TComponent* c = Name.isEmpty() ? nullptr : FNames.value(Name.toLower()).data();
        return c && c->Owner() == FRoot ? c : nullptr;
    }

    static QString Describe(const QObject* Object)
    {
        QString text = StreamClassName(Object->metaObject());
        if (const auto* c = qobject_cast<const TComponent*>(Object); c && !c->Name().isEmpty())
            text += QStringLiteral(" (%1)").arg(c->Name());
        return text;
    }

    void CheckRootClass(const TObjectNode& Node, TComponent* Root) const
    {
        for (const QMetaObject* m = Root->metaObject(); m; m = m->superClass())
            if (StreamClassName(m).compare(Node.ClassName, Qt::CaseInsensitive) == 0)
                return;
        Fail(Node.Line, QStringLiteral("the description is of class \"%1\", not of %2")
                            .arg(Node.ClassName, StreamClassName(Root->metaObject())));
    }

    // Properties of the root (and of its sub-objects) get their old values back
    // when the read fails. The first write to an object remembers all its
    // properties: a setter may change others too (ShowHint clears
    // ParentShowHint), and those must come back as well.
    void RememberOldValue(QObject* Object, const QMetaProperty& Property)
    {
        Q_UNUSED(Property);
        if (!FRemember || FRootCreated)
            return;
        // A sub-object's setter may change the root too (a font clears ParentFont).
        Snapshot(FRoot);
        Snapshot(Object);
    }

    void Snapshot(QObject* Object)
    {
        for (const TSnapshot& s : FUndo)
            if (s.Object == Object)
                return;
        TSnapshot snapshot{Object, {}};
        const QMetaObject* meta = Object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            QMetaProperty p = meta->property(i);
            if (p.isReadable() && p.isWritable() && qstrcmp(p.name(), "objectName") != 0)
                snapshot.Values.push_back({p, p.read(Object)});
        }
        FUndo.push_back(std::move(snapshot));
    }

    void Write(QObject* Object, const QMetaProperty& Property, const QVariant& Value, int Line)
    {
        RememberOldValue(Object, Property);
        bool ok;
        try {
            ok = Property.write(Object, Value);
        } catch (const std::exception& e) {
            Fail(Line, QStringLiteral("setting \"%1\" failed: %2")
                           .arg(QString::fromLatin1(Property.name()), QString::fromUtf8(e.what())));
        }
        if (!ok)
            Fail(Line, QStringLiteral("\"%1\" of %2 cannot be set").arg(QString::fromLatin1(Property.name()), Describe(Object)));
    }

    void ReadObject(TComponent* Component, const TObjectNode& Node)
    {
        FRemember = Component == FRoot;
        const QString listName = Component->ListPropertyName();
        const TPropertyLine* list = nullptr;
        for (const TPropertyLine& line : Node.Properties) {
            if (!listName.isEmpty() && line.Name.compare(listName, Qt::CaseInsensitive) == 0)
                list = &line;  // read after the published properties
            else
                SetProperty(Component, line);
        }
        if (list) {
            QVariantList values;
            QString error;
            if (!ConvertList(list->Value, &values, &error))
                Fail(list->Value.Line, QStringLiteral("\"%1\" of %2: %3").arg(listName, Describe(Component), error));
            if (FRemember && !FRootCreated && !FOldRootList) {
                FOldRootList = true;
                FRootList = Component->WriteListProperty();
            }
            error.clear();
            bool accepted = false;
            try {
                accepted = Component->ReadListProperty(values, &error);
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
            if (!accepted)
                Fail(list->Line, QStringLiteral("\"%1\" of %2: %3")
                                     .arg(listName, Describe(Component),
                                         error.isEmpty() ? QStringLiteral("the list is not accepted") : error));
        }
        for (const TObjectNode& child : Node.Children)
            ReadChild(Component, child);
    }

    void ReadChild(TComponent* Parent, const TObjectNode& Node)
    {
        if (!FindClass(Node.ClassName))
            Fail(Node.Line, QStringLiteral("unknown class \"%1\"").arg(Node.ClassName));
        FCurrentLine = Node.Line;
        if (!Node.Name.isEmpty()
            && (FindName(Node.Name) || FRoot->Name().compare(Node.Name, Qt::CaseInsensitive) == 0))
            Fail(Node.Line, QStringLiteral("a component named \"%1\" exists already").arg(Node.Name));
        TComponent* c = nullptr;
        try {
            c = CreateComponent(Node.ClassName, FRoot);
        } catch (const std::exception& e) {
            Fail(Node.Line, QStringLiteral("%1 cannot be created: %2").arg(Node.ClassName, QString::fromUtf8(e.what())));
        }
        FCreated.push_back(c);
        FCreatedLines.push_back(Node.Line);
        c->BeginLoading();
        c->SetName(Node.Name);
        AddName(c);
        BindField(c, Node);
        try {
            c->SetParentComponent(Parent);
        } catch (const std::exception& e) {
            Fail(Node.Line, QStringLiteral("%1 cannot be placed in %2: %3")
                                .arg(Describe(c), Describe(Parent), QString::fromUtf8(e.what())));
        }
        ReadObject(c, Node);
    }

    // A root property named like the component, pointing to its class, is a form field.
    void BindField(TComponent* Component, const TObjectNode& Node)
    {
        if (Node.Name.isEmpty())
            return;
        const QMetaObject* meta = FRoot->metaObject();
        int index = meta->indexOfProperty(Node.Name.toLatin1().constData());
        if (index < 0)
            return;
        QMetaProperty field = meta->property(index);
        if (ClassifyProperty(field) != TPropertyKind::Reference || !field.isWritable())
            return;
        const QMetaObject* expected = PointeeMetaObject(field);
        if (!Component->metaObject()->inherits(expected))
            Fail(Node.Line, QStringLiteral("\"%1\" is a %2, but the field %1 of %3 takes a %4")
                                .arg(Node.Name, StreamClassName(Component->metaObject()),
                                    StreamClassName(meta), StreamClassName(expected)));
        const bool remember = FRemember;
        FRemember = true;
        Write(FRoot, field, ObjectToVariant(field.metaType(), Component), Node.Line);
        FRemember = remember;
    }

    void SetProperty(TComponent* Component, const TPropertyLine& Line)
    {
        FCurrentLine = Line.Line;
        const QStringList path = Line.Name.split(QLatin1Char('.'));
        if (path.size() == 1 && Line.Name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
            Fail(Line.Line, QStringLiteral("the name stands in the object header, not in a \"Name\" line"));
        QObject* object = Component;
        for (qsizetype i = 0; i + 1 < path.size(); ++i) {
            QMetaProperty p = FindOrFail(object, path[i], Line.Line);
            if (ClassifyProperty(p) != TPropertyKind::SubObject)
                Fail(Line.Line, QStringLiteral("\"%1\" of %2 has no properties of its own").arg(path[i], Describe(object)));
            QObject* sub = VariantToObject(p.read(object));
            if (!sub)
                Fail(Line.Line, QStringLiteral("\"%1\" of %2 is empty").arg(path[i], Describe(object)));
            object = sub;
        }
        QMetaProperty property = FindOrFail(object, path.last(), Line.Line);
        const TPropertyKind kind = ClassifyProperty(property);
        if (kind == TPropertyKind::SubObject)
            Fail(Line.Line, QStringLiteral("\"%1\" is set through its own properties (\"%1.<property> = ...\")")
                                .arg(Line.Name));
        if (!property.isWritable())
            Fail(Line.Line, QStringLiteral("\"%1\" of %2 is read-only").arg(Line.Name, Describe(Component)));

        if (kind == TPropertyKind::Event) {
            if (Line.Value.Kind != TValue::vkIdent)
                Fail(Line.Line, QStringLiteral("a handler name expected for \"%1\"").arg(Line.Name));
            const TEventTypeInfo* info = FindEventTypeInfo(property.metaType());
            QMetaMethod method;
            bool found;
            if (!FindHandler(FRoot, Line.Value.Text, *info, &method, &found)) {
                if (found)
                    Fail(Line.Line, QStringLiteral("handler \"%1\" of %2 does not take the parameters of \"%3\"")
                                        .arg(Line.Value.Text, StreamClassName(FRoot->metaObject()), Line.Name));
                Fail(Line.Line, QStringLiteral("unknown handler \"%1\": %2 has no such method")
                                    .arg(Line.Value.Text, StreamClassName(FRoot->metaObject())));
            }
            Write(object, property, info->Bind(FRoot, method), Line.Line);
            return;
        }
        if (kind == TPropertyKind::Reference) {
            if (Line.Value.Kind != TValue::vkIdent)
                Fail(Line.Line, QStringLiteral("a component name expected for \"%1\"").arg(Line.Name));
            if (Line.Value.Text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
                Write(object, property, ObjectToVariant(property.metaType(), nullptr), Line.Line);
                return;
            }
            RememberOldValue(object, property);
            FFixups.push_back({object, property, Line.Value.Text, Line.Line});
            return;
        }
        QVariant value;
        QString error;
        if (!ConvertValue(Line.Value, property, &value, &error))
            Fail(Line.Line, error);
        Write(object, property, value, Line.Line);
    }

    QMetaProperty FindOrFail(QObject* Object, const QString& Name, int Line) const
    {
        int index = FindProperty(Object->metaObject(), Name);
        if (index < 0 || Name == QLatin1String("objectName"))
            Fail(Line, QStringLiteral("unknown property \"%1\" of %2").arg(Name, Describe(Object)));
        return Object->metaObject()->property(index);
    }

    // Component references are resolved once every component exists.
    void ResolveReferences()
    {
        for (const TFixup& f : FFixups) {
            if (!f.Object)
                continue;
            FCurrentLine = f.Line;
            TComponent* target = FindName(f.Name);
            if (!target && FRoot->Name().compare(f.Name, Qt::CaseInsensitive) == 0)
                target = FRoot;
            if (!target)
                Fail(f.Line, QStringLiteral("unknown component \"%1\"").arg(f.Name));
            const QMetaObject* expected = PointeeMetaObject(f.Property);
            if (!target->metaObject()->inherits(expected))
                Fail(f.Line, QStringLiteral("\"%1\" is a %2, but \"%3\" takes a %4")
                                 .arg(f.Name, StreamClassName(target->metaObject()),
                                     QString::fromLatin1(f.Property.name()), StreamClassName(expected)));
            Write(f.Object, f.Property, ObjectToVariant(f.Property.metaType(), target), f.Line);
        }
    }

    // Destroys what the read created (the last created first) and gives a
    // caller's root back the values the read had changed.
    void Rollback() noexcept
    {
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            delete it->data();
        FCreated.clear();
        FCreatedLines.clear();
        if (!FRoot)
            return;
        if (FRootCreated) {
            delete FRoot;
            FRoot = nullptr;
            return;
        }
        try {
            // Two passes: a value given back can change another again.
            for (int pass = 0; pass < 2; ++pass)
                for (auto it = FUndo.rbegin(); it != FUndo.rend(); ++it)
                    if (it->Object)
                        for (const auto& [property, value] : it->Values)
                            if (property.read(it->Object) != value)
                                property.write(it->Object, value);
            if (FOldRootList)
                FRoot->ReadListProperty(FRootList, nullptr);
            if (FRootRenamed)
                FRoot->SetName(FOldRootName);
        } catch (...) {
            // Best effort: the root keeps what could not be given back.
        }
        if (!FRootWasLoading)
            FRoot->TComponent::Loaded();  // leaves the loading state without the after-loading step
    }

    QString FSource;
    TComponent* FRoot = nullptr;
    bool FRootCreated = false;
    bool FRootWasLoading = false;
    bool FRemember = false;
    bool FRootRenamed = false;
    QString FOldRootName;
    bool FOldRootList = false;
    QVariantList FRootList;
    std::vector<QPointer<TComponent>> FCreated;
    std::vector<TSnapshot> FUndo;
    std::vector<int> FCreatedLines;                 // the description line of each created component
    QHash<QString, QPointer<TComponent>> FNames;   // the root's components by lower-case name
    int FCurrentLine = 0;                           // the line being read
    std::vector<TFixup> FFixups;
};

TComponent* Read(TComponent* Root, const QByteArray& Text, const QString& SourceName, TComponent* Owner)
{
    QString text = QString::fromUtf8(Text);
    TObjectNode node = TParser(text, SourceName).ParseDescription();
    return TBuilder(SourceName).Build(node, Root, Owner);
}

} // namespace

namespace StreamingDetail {

bool ParseSingleValue(const QString& Text, TValue* Result, QString* Error)
{
    try {
        *Result = TParser(Text, QString()).ParseLoneValue();
        return true;
    } catch (const EReadError& e) {
        *Error = e.Reason();
        return false;
    }
}

} // namespace StreamingDetail

void ReadComponentText(TComponent* Root, const QByteArray& Text, const QString& SourceName)
{
    if (!Root)
        throw EReadError(SourceName, 0, QStringLiteral("no component to read into"));
    Read(Root, Text, SourceName, nullptr);
}

TComponent* ReadComponent(const QByteArray& Text, const QString& SourceName, TComponent* AOwner)
{
    return Read(nullptr, Text, SourceName, AOwner);
}

void ReadComponentRes(TComponent* Root, const QString& ResourceName)
{
    QFile file(ResourceName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(ResourceName, 0, QStringLiteral("the description cannot be opened: %1").arg(file.errorString()));
    ReadComponentText(Root, file.readAll(), ResourceName);
}

bool ReadComponentRes(TComponent* Root)
{
    if (!Root)
        return false;
    int index = Root->metaObject()->indexOfClassInfo("Description");
    if (index < 0)
        return false;
    ReadComponentRes(Root, QString::fromUtf8(Root->metaObject()->classInfo(index).value()));
    return true;
}

} // namespace Tessaron
