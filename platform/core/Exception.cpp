#include "Exception.h"

namespace platform {

Exception::Exception(QString message) : fMessage(std::move(message)), fUtf8(fMessage.toUtf8()) { }

} // namespace platform
