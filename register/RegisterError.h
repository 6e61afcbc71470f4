#pragma once

#include "platform/core/Exception.h"

// The register could not be opened, read or written; the message says why in the
// operator's words. The database is left as it was.
class RegisterError : public platform::Exception {
public:
    using platform::Exception::Exception;
};
