// Where the window logic reads and writes its files.
//
// A program in a folder this user may write (the build folder, a folder the
// program was unpacked into) keeps everything next to itself: the step log
// in its folder, both dialogs in its "examples". An installed program
// (PREFIX/bin, which only root may write; or any PREFIX/bin beside
// PREFIX/share/quorlen/examples) keeps the step log in the user's data
// folder, opens Load in the samples installed with it and Save in a folder
// the user can write.
#pragma once

#include <filesystem>
#include <string>

namespace quorlen {

// Where Solve writes steps.txt for a program in `program_dir`: that folder,
// or the user's data folder $XDG_DATA_HOME/quorlen (~/.local/share/quorlen
// when the variable is unset or not an absolute path), created if missing.
// A folder that cannot be made is named in `error` ("PATH: reason"), if
// given; opening the log then fails too.
std::filesystem::path step_log_folder(const std::filesystem::path& program_dir, std::string* error = nullptr);

// The user's folders for Quorlen's data ($XDG_DATA_HOME/quorlen, else
// ~/.local/share/quorlen) and its state ($XDG_STATE_HOME/quorlen, else
// ~/.local/state/quorlen); a variable that is not an absolute path counts
// as unset.
std::filesystem::path user_data_folder();
std::filesystem::path user_state_folder();

// Each missing folder on the way to `dir` made private to the user, as the
// XDG base directory rules ask: "PATH: reason" of one that cannot be made,
// or empty.
std::string create_private_folders(const std::filesystem::path& dir);

// The file's folder as an absolute path, so that a later change of the
// working folder cannot move it.
std::filesystem::path folder_of(const std::filesystem::path& file);

// Where the Load dialog opens.
std::filesystem::path load_dialog_folder(const std::filesystem::path& program_dir);

// Where the Save dialog opens: never a folder where saving must fail.
// `last_folder` holds the file last loaded or saved (empty: none yet).
std::filesystem::path save_dialog_folder(const std::filesystem::path& program_dir,
                                         const std::filesystem::path& last_folder,
                                         const std::filesystem::path& documents);

}  // namespace quorlen
