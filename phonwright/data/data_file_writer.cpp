#include "phonwright/data/data_file_writer.h"

#include <system_error>

#include "platform/atomic_file.h"

namespace phonwright::data {

void WriteDataFile(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  if (error) throw std::system_error(error, "cannot create the folder of " + path.string());
  error = platform::WriteFileAtomically(path, bytes);
  if (error) throw std::system_error(error, "cannot write " + path.string());
}

}  // namespace phonwright::data
