// Registration of every built-in reader and writer. The order here is the registration order;
// lookups see the lists sorted by extension.
#include "formats/BuiltinFormats.h"

#include "formats/Bmp.h"

namespace pg {

void RegisterBuiltinFormats(TReaderList& readers, TWriterList& writers) {
    readers.push_back(std::make_unique<TBMPFileFormatReader>());
    readers.push_back(std::make_unique<TDIBFileFormatReader>());
    readers.push_back(std::make_unique<TRLEFileFormatReader>());

    writers.push_back(std::make_unique<TBMPFileFormatWriter>());
    writers.push_back(std::make_unique<TDIBFileFormatWriter>());
}

} // namespace pg
