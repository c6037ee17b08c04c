#pragma once
// What the filter components have in common: a sampling and a cutoff frequency
// with one acceptance rule, Version and Copyright, the "Floats" list property of
// the stored description, and the shape of Filter and Reset.

#include <platform/Classes.h>

#include <QString>
#include <QVariantList>

#include <vector>

namespace Tessaron {

class TFilterComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(float SampleFrequency READ SampleFrequency WRITE SetSampleFrequency)
    Q_PROPERTY(float CutoffFrequency READ CutoffFrequency WRITE SetCutoffFrequency)

public:
    explicit TFilterComponent(TComponent* AOwner = nullptr);

    // "V1.01"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Sampling rate fs in Hz, 1.0 by default. A value that is not a finite
    // number greater than 0 is ignored; a new value recomputes the coefficients
    // and keeps the filter state.
    float SampleFrequency() const { return FSampleFrequency; }
    void SetSampleFrequency(float Value);
    // Cutoff frequency fc in Hz, 0.5 by default; the same rule as SampleFrequency.
    float CutoffFrequency() const { return FCutoffFrequency; }
    void SetCutoffFrequency(float Value);

    // Replaces each of the Count floats at Data by the filter output, in order,
    // continuing from the state the previous call left. Count < 1 or a null
    // Data does nothing.
    void Filter(float* Data, int Count);
    // Clears the filter state, so that the next sample starts from rest.
    virtual void Reset() = 0;

    // "Floats": SampleFrequency and CutoffFrequency as extended values, then
    // the values a filter adds. Reading assigns them directly, without the
    // setters' acceptance rules, and recomputes the coefficients. A list of the
    // wrong length or with an entry of the wrong kind is refused as a whole.
    QString ListPropertyName() const override;
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;

protected:
    // Sets a frequency field under the common rule; true when it changed (the
    // coefficients are then recomputed).
    bool AssignFrequency(float& Field, float Value);
    // True for a finite Value greater than Limit (false for NaN).
    static bool IsAbove(float Value, float Limit);

    // Recomputes the coefficients from the current settings. Derived
    // constructors call it once their own fields are set.
    virtual void UpdateCoefficients() = 0;
    // Filters Count >= 1 samples in place.
    virtual void DoFilter(float* Data, int Count) = 0;

    // The "Floats" entries after the two frequencies: further extended values,
    // then integers, each integer with the range it may take.
    struct TFloatsInteger {
        int Min;
        int Max;
    };
    virtual int FloatsExtendedCount() const { return 0; }
    virtual std::vector<TFloatsInteger> FloatsIntegerRanges() const { return {}; }
    // The values after the frequencies, as written.
    virtual void GetFloatsExtra(std::vector<double>& Extended, std::vector<int>& Integers) const;
    // Assigns the values after the frequencies directly (checked against the
    // layout, not against the setters' rules).
    virtual void SetFloatsExtra(const std::vector<float>& Extended, const std::vector<int>& Integers);

    float FSampleFrequency = 1.0f;
    float FCutoffFrequency = 0.5f;

private:
    QString FVersion;
    QString FCopyright;
};

} // namespace Tessaron
