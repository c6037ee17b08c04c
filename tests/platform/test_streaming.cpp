#include <platform/Streaming.h>

#include <gtest/gtest.h>

#include <QPoint>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

using namespace Tessaron;

namespace StreamTest {
Q_NAMESPACE

enum TShape { shCircle, shSquare, shArrow };
Q_ENUM_NS(TShape)

enum TOption { opBold = 1, opItalic = 2, opUnderline = 4 };
Q_DECLARE_FLAGS(TOptions, TOption)
Q_FLAG_NS(TOptions)

// An integer type without Q_ENUM: its names come from RegisterIntegerIdent.
enum TTint : qint32 {};

using TPointEvent = TEvent<void(TObject* Sender, TShape Shape, int X, bool& Handled)>;

// What the gadgets' setters, list readers, Loaded() and destructors did, in order.
std::vector<QString>& Log()
{
    static std::vector<QString> log;
    return log;
}

int Instances = 0; // gadgets alive

// A drawing attribute owned by a gadget, set through "Pen.<property>".
class TTestPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width MEMBER Width)
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(StreamTest::TOptions Style MEMBER Style)
    Q_CLASSINFO("Default:Width", "1")
public:
    using TPersistent::TPersistent;
    int Width = 1;
    QString Name = QStringLiteral("Solid");
    TOptions Style;
};

// Plain fields as properties; only Left has a setter, which logs the loading state.
class TGadget : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(float Scale MEMBER Scale)
    Q_PROPERTY(bool Active MEMBER Active)
    Q_PROPERTY(StreamTest::TShape Shape MEMBER Shape)
    Q_PROPERTY(StreamTest::TOptions Options MEMBER Options)
    Q_PROPERTY(StreamTest::TTint Tint MEMBER Tint)
    Q_PROPERTY(QByteArray Data MEMBER Data)
    Q_PROPERTY(QStringList Items MEMBER Items)
    Q_PROPERTY(int Inner MEMBER Inner)
    Q_PROPERTY(int Outer MEMBER Outer)
    Q_PROPERTY(int Cache MEMBER Cache STORED false)
    Q_PROPERTY(QPoint Spot MEMBER Spot STORED false)
    Q_PROPERTY(StreamTest::TTestPen* Pen READ Pen)
    Q_PROPERTY(StreamTest::TGadget* Buddy MEMBER Buddy)
    Q_PROPERTY(Tessaron::TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(StreamTest::TPointEvent OnPoint MEMBER OnPoint)
    Q_CLASSINFO("Default:Inner", "75")
    Q_CLASSINFO("Default:Outer", "85")
    Q_CLASSINFO("Default:Shape", "shCircle")
public:
    explicit TGadget(TComponent* AOwner = nullptr) : TComponent(AOwner), FPen(new TTestPen(this)) { ++Instances; }
    ~TGadget() override
    {
        --Instances;
        Log().push_back(QStringLiteral("destroy ") + Name());
    }

    int Left() const { return FLeft; }
    void SetLeft(int V)
    {
        Log().push_back(QStringLiteral("%1.Left %2").arg(Name(), IsLoading() ? "loading" : "live"));
        FLeft = V;
    }
    TTestPen* Pen() const { return FPen; }

    QString Caption;
    double Ratio = 0.5;
    float Scale = 1.0f;
    bool Active = false;
    TShape Shape = shCircle;
    TOptions Options;
    TTint Tint = TTint(0);
    QByteArray Data;
    QStringList Items;
    int Inner = 70; // the declared stored default is 75
    int Outer = 85;
    int Cache = 0;
    QPoint Spot;
    TGadget* Buddy = nullptr;
    QVariantList Range; // the list property
    TNotifyEvent OnClick;
    TPointEvent OnPoint;

    // Nesting in a description gives the parent, as with controls.
    TComponent* GetParentComponent() const override { return FParent ? FParent : Owner(); }
    void SetParentComponent(TComponent* Value) override { FParent = Value; }
    std::vector<TComponent*> ChildComponents() const override
    {
        std::vector<TComponent*> result;
        TComponent* scope = Owner() ? Owner() : const_cast<TGadget*>(this);
        for (int i = 0; i < scope->ComponentCount(); ++i)
            if (scope->Components(i) != this && scope->Components(i)->GetParentComponent() == this)
                result.push_back(scope->Components(i));
        return result;
    }

    QString ListPropertyName() const override { return QStringLiteral("Range"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override
    {
        if (!List.isEmpty() && List.first().metaType().id() == QMetaType::QString && List.first() == "bad") {
            if (Error)
                *Error = QStringLiteral("the first entry must be a number");
            return false;
        }
        Log().push_back(QStringLiteral("%1.Range after Left=%2").arg(Name()).arg(FLeft));
        Range = List;
        return true;
    }
    QVariantList WriteListProperty() const override { return Range; }

    void Loaded() override
    {
        TComponent::Loaded();
        Log().push_back(QStringLiteral("loaded ") + Name());
    }

private:
    int FLeft = 0;
    TTestPen* FPen;
    TComponent* FParent = nullptr;
};

// A root with handlers and a field for its component "Gadget1".
class TTestForm : public TGadget {
    Q_OBJECT
    Q_PROPERTY(StreamTest::TGadget* Gadget1 MEMBER Gadget1)
    Q_PROPERTY(Tessaron::TNotifyEvent OnShow MEMBER OnShow)
    Q_CLASSINFO("Description", ":/no/such/description.tfm")
public:
    using TGadget::TGadget;
    TGadget* Gadget1 = nullptr;
    TNotifyEvent OnShow;
    QObject* LastSender = nullptr;
    QString LastHandler;

    void Note(QObject* Sender, const QString& Handler)
    {
        LastSender = Sender;
        LastHandler = Handler;
    }
    Q_INVOKABLE void Button1Click(Tessaron::TObject* Sender) { Note(Sender, "Button1Click"); }
    Q_INVOKABLE void PointHandler(Tessaron::TObject* Sender, StreamTest::TShape Shape, int X, bool& Handled)
    {
        Note(Sender, QStringLiteral("PointHandler %1 %2").arg(int(Shape)).arg(X));
        Handled = true;
    }
    Q_INVOKABLE void WrongParameters(int) {}

public slots:
    void FormShow(QObject* Sender) { Note(Sender, "FormShow"); }
};

// A second class, to show that a description of one class cannot fill another.
class TOtherForm : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QPoint Spot MEMBER Spot)
public:
    using TComponent::TComponent;
    QPoint Spot;
};

} // namespace StreamTest

using namespace StreamTest;

namespace {

class Streaming : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterClass<TGadget>();
        RegisterClass<TTestForm>();
        RegisterClass<TOtherForm>();
        RegisterEventType<TPointEvent>();
        RegisterIntegerIdent<TTint>("tnCold", 10);
        RegisterIntegerIdent<TTint>("tnWarm", 20);
        RegisterIntegerIdent<TTint>("tnHot", 20);  // a second name: the first one is written
        RegisterIntegerIdent("StreamTestAnswer", 42);
    }
    void SetUp() override { Log().clear(); }

    static void Read(TComponent* Root, const char* Text) { ReadComponentText(Root, QByteArray(Text), "test.tfm"); }
    static QString Write(const TComponent* Root) { return QString::fromUtf8(WriteComponentText(Root)); }
    static TGadget* Child(TComponent* Root, const char* Name) { return qobject_cast<TGadget*>(Root->FindComponent(Name)); }
    // The message of the error E that Call raises.
    template <typename E, typename F>
    static QString ErrorOf(F Call)
    {
        try {
            Call();
        } catch (const E& e) {
            return QString::fromUtf8(e.what());
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

const char* const Sample = R"(object Form1: TTestForm
  Caption = 'It''s '#13#10'Grüße, €' +
    ' und mehr'
  OnShow = FormShow
  object Gadget1: TGadget
    Left = 12
    Ratio = 20.0
    Scale = 0.1
    Active = True
    Shape = shArrow
    Options = [opBold, opUnderline]
    Tint = tnCold
    Data = {
      0001FF
      7F}
    Items = ('a' 'b''c')
    Pen.Width = 3
    Pen.Style = [opItalic]
    Buddy = Gadget3
    OnClick = Button1Click
    OnPoint = PointHandler
    Range = ((65280 20.0 65535 40.0) 0.0 -150 'x')
    object Gadget2: TGadget
      Left = -11
    end
  end
  object Gadget3: TGadget
    Tag = StreamTestAnswer
  end
end
)";

} // namespace

TEST_F(Streaming, ReadsNestingOwnersAndEveryKindOfValue)
{
    TTestForm form;
    Read(&form, Sample);
    EXPECT_EQ(std::pair(form.Name(), form.Caption), std::pair(QString("Form1"), QString::fromUtf8("It's \r\nGrüße, € und mehr")));
    ASSERT_EQ(form.ComponentCount(), 3);  // every nested component is owned by the root
    TGadget* g1 = Child(&form, "Gadget1");
    TGadget* g2 = Child(&form, "Gadget2");
    TGadget* g3 = Child(&form, "Gadget3");
    ASSERT_TRUE(g1 && g2 && g3);
    // The nesting gives the parent; the root owns every nested component.
    EXPECT_EQ(std::tuple(g1->GetParentComponent(), g2->GetParentComponent(), g2->Owner()),
        std::tuple(static_cast<TComponent*>(&form), static_cast<TComponent*>(g1), static_cast<TComponent*>(&form)));
    EXPECT_EQ(form.Gadget1, g1);  // the form field
    EXPECT_EQ(std::tuple(g1->Left(), g2->Left(), g1->Ratio, g1->Scale, g1->Active, g1->Shape, g1->Options, int(g1->Tint)),
        std::tuple(12, -11, 20.0, 0.1f, true, shArrow, TOptions(opBold | opUnderline), 10));
    EXPECT_EQ(std::tuple(g1->Data, g1->Items, g1->Pen()->Width, g1->Pen()->Style, g3->Tag()),
        std::tuple(QByteArray("\x00\x01\xFF\x7F", 4), QStringList({"a", "b'c"}), 3, TOptions(opItalic), 42));
    EXPECT_EQ(g1->Buddy, g3);  // a reference to a component read later
    const QVariantList range = g1->Range;
    ASSERT_EQ(range.size(), 4);
    EXPECT_EQ(range, (QVariantList{QVariantList{qlonglong(65280), 20.0, qlonglong(65535), 40.0}, 0.0, qlonglong(-150), "x"}));
    EXPECT_EQ(std::pair(range[0].toList()[0].metaType().id(), range[1].metaType().id()),
        std::pair(int(QMetaType::LongLong), int(QMetaType::Double)));
    EXPECT_FALSE(form.IsLoading() || g2->IsLoading());
}

TEST_F(Streaming, EventsInvokeTheRootsHandlersWithTheirArguments)
{
    TTestForm form;
    Read(&form, Sample);
    TGadget* g1 = Child(&form, "Gadget1");

    const auto last = [&] { return std::pair(form.LastHandler, form.LastSender); };
    CallEvent(g1->OnClick, g1);
    EXPECT_EQ(last(), std::pair(QString("Button1Click"), static_cast<QObject*>(g1)));
    bool handled = false;  // a reference parameter reaches the handler
    CallEvent(g1->OnPoint, g1, shSquare, 17, handled);
    EXPECT_EQ(std::pair(form.LastHandler, handled), std::pair(QString("PointHandler 1 17"), true));
    CallEvent(form.OnShow, &form);  // a slot works as well as an invokable method
    EXPECT_EQ(last(), std::pair(QString("FormShow"), static_cast<QObject*>(&form)));

    // Bound handlers are written back by name; a callable of other origin is not.
    Child(&form, "Gadget2")->OnClick = [](TObject*) {};
    const QString text = Write(&form);
    for (const char* line : {"    OnClick = Button1Click\n", "    OnPoint = PointHandler\n", "  OnShow = FormShow\n"})
        EXPECT_TRUE(text.contains(line)) << line;
    EXPECT_EQ(text.count("OnClick"), 1);

    TGadget other;
    EXPECT_TRUE(BindEvent(&other, "OnClick", &form, "Button1Click"));
    EXPECT_FALSE(BindEvent(&other, "OnClick", &form, "WrongParameters"));
    EXPECT_FALSE(BindEvent(&other, "OnNothing", &form, "Button1Click"));
    CallEvent(other.OnClick, &other);
    EXPECT_EQ(form.LastSender, &other);
}

TEST_F(Streaming, WritingAndReadingBackReproducesTextAndState)
{
    TTestForm form;
    Read(&form, Sample);
    TGadget* g3 = Child(&form, "Gadget3");
    g3->Ratio = 1.0 / 3.0;
    g3->Caption = QString(150, QChar(0x00FC)) + "'";  // long enough to be split over lines
    g3->Data = QByteArray(100, '\x5A');
    g3->Inner = 75;
    g3->Range = {qlonglong(1), QVariantList{2.5, QVariantList{}}, QString("a'b")};
    const QString first = Write(&form);

    TTestForm copy;
    ReadComponentText(&copy, first.toUtf8(), "first");
    const QString second = Write(&copy);
    EXPECT_EQ(first, second); // what the copy read is what it writes again

    // Children are written nested, in order, after the properties and the list.
    const qsizetype range = first.indexOf("    Range = ");
    const qsizetype nested = first.indexOf("    object Gadget2: TGadget");
    EXPECT_LT(first.indexOf("    Pen.Width = 3"), range);
    EXPECT_LT(range, nested);
    EXPECT_LT(nested, first.indexOf("  object Gadget3: TGadget"));
    EXPECT_TRUE(first.startsWith("object Form1: TTestForm\n") && first.endsWith("end\n"));
}

TEST_F(Streaming, PropertiesAreWrittenWhenTheyDifferFromADefaultOrAFreshInstance)
{
    struct Case {
        const char* name;
        std::function<void(TGadget*)> set;
        QStringList lines;  // the property lines expected
    };
    // Inner has the stored default 75 and the constructor value 70: it is
    // written in both cases, as 70 differs from the default and 75 from a
    // fresh instance.
    const Case cases[] = {
        {"untouched", [](TGadget*) {}, {"Inner = 70"}},
        {"stored default, not the constructor's value", [](TGadget* g) { g->Inner = 75; }, {"Inner = 75"}},
        {"default equals the constructor's value", [](TGadget* g) { g->Outer = 85; }, {"Inner = 70"}},
        {"differs from both", [](TGadget* g) { g->Outer = 80; }, {"Inner = 70", "Outer = 80"}},
        {"not stored", [](TGadget* g) { g->Cache = 9; }, {"Inner = 70"}},
        {"sub-property", [](TGadget* g) { g->Pen()->Name = "Dash"; }, {"Inner = 70", "Pen.Name = 'Dash'"}},
        {"sub-property at its default", [](TGadget* g) { g->Pen()->Width = 1; }, {"Inner = 70"}},
        {"unnamed bits", [](TGadget* g) { g->Options = TOptions(opBold | TOption(64)); }, {"Options = 65", "Inner = 70"}},
        {"negative zero", [](TGadget* g) { g->Ratio = -0.0; }, {"Ratio = -0.0", "Inner = 70"}},
        {"typed identifier", [](TGadget* g) { g->Tint = TTint(20); }, {"Tint = tnWarm", "Inner = 70"}},
        {"unnamed typed value", [](TGadget* g) { g->Tint = TTint(21); }, {"Tint = 21", "Inner = 70"}},
        {"list property", [](TGadget* g) { g->Range = {qlonglong(3)}; }, {"Inner = 70", "Range = (3)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestForm form;
        form.Inner = 70;
        auto* g = new TGadget(&form);
        g->SetName("G");
        c.set(g);
        const QString text = Write(&form);
        QStringList body;
        for (const QString& line : text.split('\n'))
            if (line.startsWith("    ") && !line.startsWith("    Range = ()"))
                body.append(line.mid(4));
        EXPECT_EQ(body, c.lines) << body.join('|').toStdString();
        // Whatever was written reads back to the same state.
        TTestForm copy;
        ReadComponentText(&copy, text.toUtf8(), c.name);
        EXPECT_EQ(std::pair(Write(&copy), Child(&copy, "G")->Inner), std::pair(text, g->Inner));
    }
}

TEST_F(Streaming, FloatsReadBackBitForBit)
{
    const double doubles[] = {0.1, 1.0 / 3.0, -150.0, 1e-300, 5e-324, 1.7976931348623157e308, 123456789012345680.0,
        -0.0, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    const float floats[] = {0.1f, 1.0f / 3.0f, 16777216.0f, 1e-45f, 3.4028235e38f, -2.5f};
    for (double d : doubles)
        for (float f : floats) {
            TTestForm form;
            form.Ratio = d;
            form.Scale = f;
            TTestForm copy;
            ReadComponentText(&copy, WriteComponentText(&form), "floats");
            EXPECT_EQ(std::memcmp(&copy.Ratio, &d, sizeof d), 0) << d;
            EXPECT_EQ(std::memcmp(&copy.Scale, &f, sizeof f), 0) << f;
        }
    TTestForm nan;
    nan.Ratio = std::numeric_limits<double>::quiet_NaN();
    TTestForm copy;
    ReadComponentText(&copy, WriteComponentText(&nan), "nan");
    EXPECT_TRUE(std::isnan(copy.Ratio));
}

// The list is read after the component's published properties wherever its
// line stands, and only where there is a line.
TEST_F(Streaming, SettersSeeTheLoadingStateListComesLastLoadedRunsInCreationOrder)
{
    TTestForm form;
    form.SetName("Form1");
    Read(&form, R"(object Form1: TTestForm
  Left = 1
  object A: TGadget
    Range = (1 2.0)
    Left = 2
    Caption = 'after the list line'
    object B: TGadget
      Left = 3
    end
  end
  object C: TGadget
    Left = 4
  end
end
)");
    EXPECT_EQ(Log(), (std::vector<QString>{"Form1.Left loading", "A.Left loading", "A.Range after Left=2",
                         "B.Left loading", "C.Left loading", "loaded Form1", "loaded A", "loaded B", "loaded C"}));
    EXPECT_EQ(std::pair(Child(&form, "A")->Range, Child(&form, "A")->Caption),
        std::pair(QVariantList{qlonglong(1), 2.0}, QString("after the list line")));
    form.SetLeft(5);
    EXPECT_EQ(Log().back(), "Form1.Left live");
}

TEST_F(Streaming, ErrorsNameTheDescriptionAndTheLine)
{
    struct Case {
        const char* name;
        const char* text; // after "object F: TTestForm\n" unless it starts an object itself
        int line;
        const char* reason;  // part of the message
    };
    const Case cases[] = {
        {"unknown class", "  object A: TNoSuchClass\n  end\nend\n", 2, "unknown class \"TNoSuchClass\""},
        {"unknown property", "  Left = 1\n  Colour = 3\nend\n", 3, "unknown property \"Colour\""},
        {"unknown sub-property", "  Pen.Colour = 3\nend\n", 2, "unknown property \"Colour\""},
        {"unknown enumeration value", "  Shape = shOval\nend\n", 2, "unknown value \"shOval\""},
        {"unknown set element", "  Options = [opBold, opWide]\nend\n", 2, "unknown element \"opWide\""},
        {"unknown identifier", "  Tint = tnLukewarm\nend\n", 2, "unknown value \"tnLukewarm\""},
        {"unknown handler", "  OnClick = Button2Click\nend\n", 2, "unknown handler \"Button2Click\""},
        {"handler with other parameters", "  OnClick = WrongParameters\nend\n", 2, "does not take the parameters"},
        {"unknown component", "  Buddy = Nobody\nend\n", 2, "unknown component \"Nobody\""},
        {"missing =", "  Left 5\nend\n", 2, "\"=\" expected"},
        {"two entries on a line", "  Left = 5 Top = 6\nend\n", 2, "one entry per line"},
        {"value on the next line", "  Left =\n  5\nend\n", 2, "a value expected"},
        {"unterminated string", "  Caption = 'abc\nend\n", 2, "unterminated string"},
        {"string expected after +", "  Caption = 'a' +\n  Left = 1\nend\n", 3, "a string expected"},
        {"odd hex digits", "  Data = {\n    ABC}\nend\n", 3, "odd number"},
        {"bad hex digit", "  Data = {\n    AG}\nend\n", 3, "invalid character"},
        {"unterminated list", "  Range = (1 2\n", 2, "unterminated list"},
        {"missing end", "  Left = 1\n", 3, "\"end\" of the object \"F\" (line 1)"},
        {"text after end", "end\nend\n", 3, "text after the end"},
        {"empty description", "\n\n", 3, "empty"},
        {"malformed number", "  Left = 12ab\nend\n", 2, "malformed number"},
        {"integer too large", "  Left = 3000000000\nend\n", 2, "out of range"},
        {"float for an integer", "  Left = 1.5\nend\n", 2, "an integer expected"},
        {"number for a string", "  Caption = 5\nend\n", 2, "a string expected"},
        {"bad boolean", "  Active = Yes\nend\n", 2, "True or False expected"},
        {"name line", "  Name = 'G'\nend\n", 2, "object header"},
        {"duplicate name", "  object A: TGadget\n  end\n  object A: TGadget\n  end\nend\n", 4, "exists already"},
        {"property after a nested object", "  object A: TGadget\n  end\n  Left = 1\nend\n", 4, "after a nested object"},
        {"sub-object set directly", "  Pen = 3\nend\n", 2, "through its own properties"},
        {"list rejected", "  object A: TGadget\n    Range = ('bad')\n  end\nend\n", 3, "the first entry must be a number"},
        {"wrong root class", "object F: TOtherForm\nend\n", 1, "of class \"TOtherForm\""},
        {"field of another class", "  object Gadget1: TOtherForm\n  end\nend\n", 2, "the field Gadget1"},
        {"unexpected character", "  Left = ?\nend\n", 2, "unexpected character"},
        {"type without a text form", "  Spot = 1\nend\n", 2, "descriptions cannot hold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestForm form;
        try {
            const QByteArray body(c.text);
            const bool whole = body.startsWith("object") || body.startsWith('\n');
            ReadComponentText(&form, whole ? body : "object F: TTestForm\n" + body, "Led_Unit.tfm");
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(std::pair(e.Line(), e.Source()), std::pair(c.line, QString("Led_Unit.tfm")));
            EXPECT_TRUE(e.Reason().contains(QString::fromUtf8(c.reason))) << e.what();
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QString("Led_Unit.tfm, line %1: ").arg(c.line)))
                << e.what();
        }
        EXPECT_EQ(std::pair(form.ComponentCount(), form.IsLoading()), std::pair(0, false));
    }
}

TEST_F(Streaming, AFailedReadLeavesNothingHalfBuilt)
{
    const int before = Instances;
    {
        TTestForm form;
        form.SetName("Original");
        form.Caption = "kept";
        form.Range = {qlonglong(9)};
        form.Pen()->Width = 4;
        // Fails on its last line, after components, a field, sub-properties and
        // the root's own list have been set.
        const char* text = R"(object Renamed: TTestForm
  Caption = 'changed'
  Pen.Width = 8
  Range = (1 2)
  object Gadget1: TGadget
    object Inner: TGadget
    end
  end
  object Gadget3: TGadget
    Left = oops
  end
end
)";
        EXPECT_THROW(Read(&form, text), EReadError);
        EXPECT_EQ(std::tuple(form.ComponentCount(), form.Gadget1, form.Name(), form.Caption, form.Pen()->Width, form.Range),
            std::tuple(0, nullptr, QString("Original"), QString("kept"), 4, QVariantList{qlonglong(9)}));
        EXPECT_FALSE(form.IsLoading());
        // Loaded() never ran; the created components were destroyed, the last created first.
        EXPECT_EQ(std::count_if(Log().begin(), Log().end(), [](const QString& s) { return s.startsWith("loaded"); }), 0);
        std::vector<QString> destroyed;
        for (const QString& s : Log())
            if (s.startsWith("destroy"))
                destroyed.push_back(s);
        EXPECT_EQ(destroyed, (std::vector<QString>{"destroy Gadget3", "destroy Inner", "destroy Gadget1"}));
        EXPECT_EQ(Instances, before + 1);

        // The same root reads a good description afterwards.
        Read(&form, Sample);
        EXPECT_EQ(form.ComponentCount(), 3);
    }
    // A root the reader creates itself is destroyed with everything else.
    EXPECT_THROW(ReadComponent("object F: TTestForm\n  object A: TGadget\n  end\n  Left = 1\nend\n", "x"), EReadError);
    EXPECT_THROW(ReadComponent("object F: TTestForm\n  object A: TGadget\n    Shape = shNone\n  end\nend\n", "x"),
        EReadError);
    EXPECT_EQ(Instances, before);

    std::unique_ptr<TComponent> made(ReadComponent(Sample, "sample"));
    ASSERT_NE(qobject_cast<TTestForm*>(made.get()), nullptr);
    EXPECT_EQ(made->ComponentCount(), 3);
}

TEST_F(Streaming, DescriptionsAreReadFromFilesAndResources)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Form.tfm");
    TTestForm form;
    Read(&form, Sample);
    WriteComponentFile(&form, path);

    TTestForm copy;
    ReadComponentRes(&copy, path);
    EXPECT_EQ(Write(&copy), Write(&form));

    try {
        ReadComponentRes(&copy, dir.filePath("missing.tfm"));
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(std::pair(e.Source(), e.Reason().contains("cannot be opened")), std::pair(dir.filePath("missing.tfm"), true));
    }
    // The class names its description; a class that names none reads nothing.
    TTestForm named;
    EXPECT_THROW(ReadComponentRes(&named), EReadError);
    TGadget unnamed;
    EXPECT_FALSE(ReadComponentRes(&unnamed));
    EXPECT_THROW(WriteComponentFile(&form, dir.filePath("no/such/dir/x.tfm")), EWriteError);
}

TEST_F(Streaming, IdentifiersAndNumbersInTheirWrittenForms)
{
    TTestForm form;
    Read(&form, R"(object F: TTestForm
  Tag = $FF
  Left = -$10
  Tint = tnHot
  Ratio = 7
  Shape = 2
  Options = 3
  Pen.Name = ''
  Items = ()
end
)");
    EXPECT_EQ(std::tuple(form.Tag(), form.Left(), int(form.Tint), form.Ratio, form.Shape, form.Options, form.Pen()->Name),
        std::tuple(255, -16, 20, 7.0, shArrow, TOptions(opBold | opItalic), QString()));
    const QString text = Write(&form);
    // Tint by the first name of its value.
    for (const char* line : {"  Tint = tnWarm\n", "  Ratio = 7.0\n", "  Options = [opBold, opItalic]\n", "  Pen.Name = ''\n"})
        EXPECT_TRUE(text.contains(line)) << line;

    // A hex value of 32 bits fills a 32-bit signed integer, as negative colours are written.
    Read(&form, "object F: TTestForm\n  Tag = $8000000F\nend\n");
    EXPECT_EQ(form.Tag(), int(0x8000000F));
}

TEST_F(Streaming, WritingFailsClearlyForWhatItCannotWrite)
{
    TComponent plain; // no registered class: no fresh instance to compare with
    EXPECT_TRUE(ErrorOf<EWriteError>([&] { WriteComponentText(&plain); }).contains("TComponent is not registered"));
    TOtherForm other; // a stored property of a type descriptions cannot hold
    EXPECT_TRUE(ErrorOf<EWriteError>([&] { WriteComponentText(&other); }).contains("\"Spot\" of TOtherForm"));
}

#include "test_streaming.moc"
