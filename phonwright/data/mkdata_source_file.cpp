#include "phonwright/data/mkdata_source_file.h"

#include <bzlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace phonwright::mkdata {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

std::string ReadBzip2File(const std::filesystem::path& path) {
  const std::string compressed = ReadWholeFile(path);
  bz_stream stream{};
  if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK) throw std::runtime_error("bzip2 initialisation failed");
  const auto end = std::unique_ptr<bz_stream, int (*)(bz_stream*)>(&stream, BZ2_bzDecompressEnd);
  std::string text;
  std::string chunk(1 << 20, '\0');
  stream.next_in = const_cast<char*>(compressed.data());
  stream.avail_in = static_cast<unsigned>(compressed.size());
  int status = BZ_OK;
  while (status == BZ_OK) {
    stream.next_out = chunk.data();
    stream.avail_out = static_cast<unsigned>(chunk.size());
    status = BZ2_bzDecompress(&stream);
    if (status != BZ_OK && status != BZ_STREAM_END) throw std::runtime_error("bad bzip2 data in " + path.string());
    text.append(chunk.data(), chunk.size() - stream.avail_out);
    if (status == BZ_OK && stream.avail_in == 0 && stream.avail_out != 0)
      throw std::runtime_error("truncated bzip2 data in " + path.string());
  }
  return text;
}

}  // namespace phonwright::mkdata
