#include "memory/memoryreader.h"

namespace callcfg {

MemoryReader::MemoryReader(Form1& form1, Link& link, Images& images)
    : form1_(form1), link_(link), images_(images) {}

MemoryReader::~MemoryReader() = default;

} // namespace callcfg
