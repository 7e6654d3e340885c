#pragma once

// The graph file: the byte image of the whole document, 60056 bytes, a
// 536-byte header and 20 line records of 2976 bytes, little-endian, written
// and read field by field so that the layout is the file's and not the
// compiler's. Padding is written as zero and never read.

#include <cstddef>
#include <span>
#include <vector>

#include "graph/GraphDocument.h"

namespace noctavo {

inline constexpr std::size_t graphHeaderSize = 536;
inline constexpr std::size_t graphLineRecordSize = 2976;
inline constexpr std::size_t graphFileSize = graphHeaderSize + graphSlotCount * graphLineRecordSize;  // 60056

// The file image of the document; modified is always written as 0.
std::vector<unsigned char> encodeGraph(const GraphDocument& document);

// Reads a file image into `document` only when the whole image is a graph
// this program can show: the right size, at most 20 lines and as many as
// slots in use, known object types and objects, quantities the body
// publishes, units, counts and time systems within their ranges, finite
// numbers where the calculation needs them. Otherwise false, and the
// document is exactly as it was.
bool decodeGraph(std::span<const unsigned char> image, GraphDocument& document);

}  // namespace noctavo
