// The recognition layer as the program gives it to the window: command files
// read with the real pronunciation engine, and the download image built from
// the workspace's settings files with one package entry table for the life of
// the window.
#pragma once

#include <memory>

#include "quillon/app/command_file_loader.h"
#include "quillon/config/working_directory.h"
#include "quillon/device/package_source.h"
#include "quillon/recognition/package_entry.h"
#include "quillon/recognition/phonwright_sentence_converter.h"

namespace quillon {

class RecognitionServices {
 public:
  explicit RecognitionServices(const WorkingDirectory& workspace);

  CommandFileLoader& CommandFiles() { return loader_; }
  // The engine's conversion, for the window's pronunciation column.
  SentenceConverter& Converter() { return converter_; }
  std::unique_ptr<device::PackageSource> CreatePackageSource();

 private:
  WorkingDirectory workspace_;
  platform::LanguageId systemLanguage_;
  PhonwrightSentenceConverter converter_;
  RecognitionCommandFileLoader loader_;
  PackageEntryTable entries_;
};

}  // namespace quillon
