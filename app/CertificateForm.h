#pragma once

#include "app/logic/FieldFit.h"
#include "register/RegisterEntry.h"

// What the register and group printing need of the main window's form: its texts as the
// register keeps them, filling it from such a record, the certificate filled from it and the
// check of a text against a field of the blank.
class CertificateForm {
public:
    // The form's texts as the register keeps them (no field texts yet).
    virtual RegisterEntry formRecord() const = 0;
    // Fills the form from a record, to print the same certificate again.
    virtual void showRecord(const RegisterEntry& entry) = 0;
    // Copies the form into the 42 fields of the certificate template.
    virtual void preprint() = 0;
    // Whether a text fits the certificate field (1 to 42), broken as the field breaks it, and
    // which of its characters the field's font cannot draw.
    virtual FieldFit fieldFit(int field, const QString& text) const = 0;

protected:
    ~CertificateForm() = default;
};
