#include "phonwright/data/data_file_writer.h"

#include <system_error>

#include "platform/atomic_file.h"
#include "platform/byte_order.h"

namespace phonwright::data {

void WriteDataFile(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  if (error) throw std::system_error(error, "cannot create the folder of " + path.string());
  error = platform::WriteFileAtomically(path, bytes);
  if (error) throw std::system_error(error, "cannot write " + path.string());
}

void AppendLittle16(std::string& out, std::uint16_t value) {
  std::uint8_t bytes[2];
  platform::StoreLittle16(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 2);
}

void AppendLittle32(std::string& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  platform::StoreLittle32(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), 4);
}

}  // namespace phonwright::data
