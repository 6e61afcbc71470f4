#pragma once

class CertificateRegister;
class QLabel;

// While it lasts, a write of the register that finds it held by another desk shows why the
// program does not answer: the wait cursor, and in the label (when there is one) a text
// that says for how long at most. The cursor goes when it ends.
class RegisterWriteWait {
public:
    explicit RegisterWriteWait(CertificateRegister& reg, QLabel* label = nullptr);
    ~RegisterWriteWait();
    RegisterWriteWait(const RegisterWriteWait&) = delete;
    RegisterWriteWait& operator=(const RegisterWriteWait&) = delete;

private:
    CertificateRegister& fRegister;
    bool fWaiting = false;
};
