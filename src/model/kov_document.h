#pragma once
// The single document: owner of the memory image and of the working copy of
// the channels from start-up to exit. New and Open only replace the image's
// content; the grid fill and the grid collection move the channels and the
// bar values between the two.

#include <memory>
#include <string>

#include "channel_file.h"
#include "channel_table.h"
#include "memory_image.h"
#include "status.h"
#include "subscription.h"

namespace korvel {

class DocumentHistory;

class CKovDoc {
 public:
  CKovDoc();
  ~CKovDoc();
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

  // Undo and redo of the document's changes; the one record of whether the
  // document differs from its file.
  DocumentHistory& History() { return *history_; }
  // Set by every change of a cell, of the bar values or of a command's step;
  // cleared by a save, by the history's reset (New, Open) and by undoing back
  // to the saved state.
  bool IsModified() const;

  // Grid fill: every row and the bar values decoded from the image into the
  // working copy. Not a change of the document.
  void FillFromImage();
  // Grid collection: every row and the bar values encoded into the image.
  void CollectIntoImage();

  // New: every byte 0xFF, then the defaults. Leaves the path, the working
  // copy and the history alone; DocumentCommands does the rest of File New.
  Status OnNewDocument();
  // Loads the file; on failure the image and path are unchanged. The path,
  // the grid fill and the history are the caller's (DocumentCommands).
  Status OnOpenDocument(const std::string& path);
  // After a successful open: what to tell the user about a file longer than
  // an image (its first 2112 bytes were loaded); empty otherwise.
  const std::string& OpenNotice() const { return longFileNotice_; }
  // Collects the working copy into the image, then writes the file
  // atomically. On success the current state is the saved one.
  Status OnSaveDocument(const std::string& path);

 private:
  MemoryImage image_{};
  ChannelTable channels_;
  std::string path_;
  std::string longFileNotice_;
  std::unique_ptr<DocumentHistory> history_;  // listens to channels_: declared after it
};

}  // namespace korvel
