#include "editor/file_commands.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "editor/autosave.h"
#include "editor/commands.h"
#include "editor/undo_commands.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "model/file_io.h"
#include "model/validate.h"

namespace tess {
namespace {

// Only the last character chooses the format: 'x' or 'X' is MDX, anything else MDL.
bool isMdxName(const std::string& path) {
    return !path.empty() && (path.back() == 'x' || path.back() == 'X');
}

bool hasMdxMagic(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "MDLX", 4) == 0;
}

// The first error's text: the reason a file could not be read or written.
std::string firstErrorText(const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries)
        if (entry.severity == Severity::Error) return entry.text;
    return {};
}

// A writer's refusal: an error in words, not a check. Check errors are values written all
// the same, which the assertion boxes report.
bool refusedToWrite(const Diagnostics& diagnostics) {
    return std::any_of(diagnostics.entries.begin(), diagnostics.entries.end(), [](const Diagnostic& entry) {
        return entry.severity == Severity::Error && entry.check == 0;
    });
}

std::string displayName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The document now matches a file: an autosave of it would only repeat the file.
void forgetAutosave(Editor& editor) {
    if (!editor.state.autosaveFolder.empty()) removeAutosave(editor.state.autosaveFolder);
}

// Reads the file image into the document's model with the reader the name selects and
// reports what the reader found. Returns the reader's findings.
Diagnostics readModel(Editor& editor, const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Diagnostics found;
    if (isMdxName(path)) {
        found = readMdx(editor.document.model, bytes, std::cout);
    } else {
        found = readMdl(editor.document.model,
                        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        printParseReport(found, std::cout);
    }
    showDiagnostics(editor.host, found);
    return found;
}

}  // namespace

std::string findingsMessage(const Diagnostics& findings) {
    std::string text;
    std::size_t listed = 0;
    const std::size_t total = findings.count(Severity::Warning);
    for (const Diagnostic& entry : findings.entries) {
        if (entry.severity != Severity::Warning) continue;
        if (listed == kListedFindings) break;
        if (listed++ > 0) text += '\n';
        if (entry.line != 0) text += "line " + std::to_string(entry.line) + ": ";
        text += entry.text;
    }
    if (total > listed) text += "\nand " + std::to_string(total - listed) + " more";
    return text;
}

bool openModelFile(Editor& editor, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const Diagnostics fileErrors = readWholeFile(path, bytes);
    if (fileErrors.hasErrors()) {
        showEditError(editor.host, firstErrorText(fileErrors));
        return false;
    }
    // The MDX reader reads nothing from a file without the magic; replacing the document
    // by an empty model would let a later Save destroy the file.
    if (isMdxName(path) && !hasMdxMagic(bytes)) {
        showEditError(editor.host, "cannot read " + path + ": not an MDX file (it does not start with MDLX)");
        return false;
    }
    Diagnostics findings = readModel(editor, path, bytes);
    editor.state.currentFileName = path;
    editor.state.readWithErrors = findings.hasErrors();
    prepareDocument(editor.document, editor.state, editor.host);
    editor.viewport.reloadTextures();
    forgetAutosave(editor);
    showDocumentStatus(editor);

    findings.append(validateModel(editor.document.model));
    const std::string message = findingsMessage(findings);
    if (!message.empty()) editor.host.messageBox(message, "Warning", MessageIcon::Exclamation, true);
    return true;
}

bool saveModelFile(Editor& editor, const std::string& path) {
    const Model& model = editor.document.model;
    Diagnostics found;
    std::vector<std::uint8_t> binary;
    std::string text;
    std::span<const std::uint8_t> bytes;
    if (isMdxName(path)) {
        found = writeMdx(model, binary);
        bytes = binary;
    } else {
        found = writeMdl(model, text);
        bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    showDiagnostics(editor.host, found);
    if (refusedToWrite(found)) {
        showEditError(editor.host, "cannot write " + path + ": " + firstErrorText(found));
        return false;
    }
    const Diagnostics fileErrors = writeFileAtomically(path, bytes);
    if (fileErrors.hasErrors()) {
        showEditError(editor.host, firstErrorText(fileErrors));
        return false;
    }
    editor.state.currentFileName = path;
    editor.state.readWithErrors = false;
    editor.document.history.markSaved();
    forgetAutosave(editor);
    showDocumentStatus(editor);
    return true;
}

void openFileCommand(Editor& editor) {
    if (!mayDiscardChanges(editor)) return;
    if (const std::optional<std::string> path = editor.host.askOpenFileName()) openModelFile(editor, *path);
}

bool saveFileCommand(Editor& editor, bool alwaysAsk) {
    std::string path = editor.state.currentFileName;
    if (alwaysAsk || path.empty()) {
        const std::optional<std::string> chosen = editor.host.askSaveFileName();
        if (!chosen) return false;
        path = *chosen;
    } else if (editor.state.readWithErrors &&
               !editor.host.askYesNo(displayName(path) +
                                         " was read with errors; saving over it may lose what could not be "
                                         "read. Save anyway?",
                                     "Save")) {
        return false;
    }
    return saveModelFile(editor, path);
}

}  // namespace tess
