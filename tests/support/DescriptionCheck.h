#pragma once
// Reads a description the way an untrusted file reaches a form and checks the
// outcome: a read either fails with a description error that leaves the form
// as it was (nothing loading, no components, every property back), or it
// succeeds, the form paints, and writing, reading back and writing again gives
// the same text. Used by the regression tests and by the fuzz target.

#include <QByteArray>
#include <QString>

namespace TestSupport {

struct TDescriptionOutcome {
    bool Read = false;   // the description was read (otherwise: refused with an EReadError)
    QString Error;       // the reader's message when refused
    QString Problem;     // empty when the outcome is sound
};

TDescriptionOutcome CheckDescription(const QByteArray& Text);

} // namespace TestSupport
