// The formats the library registers when it starts, in registration order.
#pragma once

#include "pgraphic/FileFormat.h"

namespace pg {

void RegisterBuiltinFormats(TReaderList& readers, TWriterList& writers);

} // namespace pg
