#pragma once
// The single document: owner of the memory image and of the working copy of
// the channels from start-up to exit. New and Open only replace the image's
// content; the grid fill and the grid collection move the channels and the
// bar values between the two.

#include <string>

#include "channel_file.h"
#include "channel_table.h"
#include "memory_image.h"
#include "status.h"
#include "subscription.h"

namespace korvel {

class CKovDoc {
 public:
  CKovDoc();
  // Its listener on the working copy refers to this object.
  CKovDoc(const CKovDoc&) = delete;
  CKovDoc& operator=(const CKovDoc&) = delete;

  MemoryImage& Image() { return image_; }
  const MemoryImage& Image() const { return image_; }

  // The working copy: what the grid and the bar show and edit.
  ChannelTable& Channels() { return channels_; }
  const ChannelTable& Channels() const { return channels_; }

  // Path of the file the document belongs to; empty while unnamed.
  const std::string& PathName() const { return path_; }
  void SetPathName(std::string path) { path_ = std::move(path); }

  // Set by every change of a cell or of the bar values, cleared by New,
  // Open and Save.
  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  // Grid fill: every row and the bar values decoded from the image into the
  // working copy. Not a change of the document.
  void FillFromImage();
  // Grid collection: every row and the bar values encoded into the image.
  void CollectIntoImage();

  // New: every byte 0xFF, then the defaults. Leaves the path and the working
  // copy alone; the caller clears the path and fills as the command requires.
  Status OnNewDocument();
  // Loads the file; on failure the image, path and flag are unchanged. On
  // success the flag is cleared (the path is the caller's, see recent entry 1).
  Status OnOpenDocument(const std::string& path);
  // After a successful open: what to tell the user about a file longer than
  // an image (its first 2112 bytes were loaded); empty otherwise.
  const std::string& OpenNotice() const { return longFileNotice_; }
  // Collects the working copy into the image, then writes the file
  // atomically. On success the flag is cleared.
  Status OnSaveDocument(const std::string& path);

 private:
  MemoryImage image_{};
  ChannelTable channels_;
  std::string path_;
  std::string longFileNotice_;
  bool modified_ = false;
  Subscription editsMark_;  // sets the flag on every edit of the working copy
};

}  // namespace korvel
