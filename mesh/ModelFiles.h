// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model as a file for a 3D printer's slicer or another program:
// ASCII STL with one named solid per part, or Wavefront OBJ with one group
// per part ("g R3 L", "g spar"). Millimetres; numbers are written without
// the locale.
#include <optional>
#include <string>

#include "dxf/DxfWriter.h"
#include "mesh/WingModel.h"

namespace parvelin::mesh {

enum class ModelFormat { Stl, Obj };

struct ModelFormatTraits {
    ModelFormat format;
    const char* extension;  // lower case, with the dot
    const char* label;      // a file dialog's filter name
};
const ModelFormatTraits& traits(ModelFormat format);

// The format a file name asks for by its extension (any case); none for
// another extension.
std::optional<ModelFormat> modelFormatFor(const std::string& path);

std::string stlText(const Model& model);
std::string objText(const Model& model);
// The first part that is not a closed solid, in words; empty when all are.
std::string modelProblem(const Model& model);

std::string modelText(const Model& model, ModelFormat format);

// Writes the model to a new file in the format its name asks for; never
// over an existing file, and nothing is left behind when writing fails. A
// model with a coordinate that is not a finite number is not written
// (NotFinite).
FileWriteResult writeModelFile(const std::string& path, const Model& model);

} // namespace parvelin::mesh
