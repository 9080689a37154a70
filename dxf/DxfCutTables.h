// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed tables of the cut drawing, one group a line as "code value"
// (a code alone: an empty value). A line marked '+' belongs to R2000 only,
// one marked '-' to R12 only, one marked ' ' to both. What varies (the
// unit, the layers, the text style's height and the handles that follow
// from them) is written by DxfWriter between the two parts; "@style" stands
// for the text style's handle.
//
// The viewport, line types and dimension style are those every CAD reader
// expects to find; R2000 adds its handles, subclass markers, block records
// and the model and paper space blocks. The drawing holds no OBJECTS section.
#include <string_view>

namespace parvelin::dxftables {

inline constexpr std::string_view kTablesBeforeLayers = R"( 2 TABLES
 0 TABLE
 2 VPORT
+5 8
+100 AcDbSymbolTable
 70 1
 0 VPORT
+5 30
+100 AcDbSymbolTableRecord
+100 AcDbViewportTableRecord
 2 *Active
 70 0
 10 0.0
 20 0.0
 11 1.0
 21 1.0
 12 286.3055555555554861
 22 148.5
 13 0.0
 23 0.0
 14 10.0
 24 10.0
 15 10.0
 25 10.0
 16 0.0
 26 0.0
 36 1.0
 17 0.0
 27 0.0
 37 0.0
 40 297.0
 41 1.92798353909465
 42 50.0
 43 0.0
 44 0.0
 50 0.0
 51 0.0
 71 0
 72 100
 73 1
 74 3
 75 1
 76 1
 77 0
 78 0
+281 0
+65 1
+110 0.0
+120 0.0
+130 0.0
+111 1.0
+121 0.0
+131 0.0
+112 0.0
+122 1.0
+132 0.0
+79 0
+146 0.0
 0 ENDTAB
 0 TABLE
 2 LTYPE
+5 5
+100 AcDbSymbolTable
 70 3
 0 LTYPE
+5 14
+100 AcDbSymbolTableRecord
+100 AcDbLinetypeTableRecord
+2 BYBLOCK
+70 0
+3
+72 65
+73 0
+40 0.0
+0 LTYPE
+5 15
+100 AcDbSymbolTableRecord
+100 AcDbLinetypeTableRecord
+2 BYLAYER
+70 0
+3
+72 65
+73 0
+40 0.0
+0 LTYPE
+5 16
+100 AcDbSymbolTableRecord
+100 AcDbLinetypeTableRecord
 2 CONTINUOUS
 70 0
 3 Solid line
 72 65
 73 0
 40 0.0
 0 ENDTAB)";

inline constexpr std::string_view kTablesAfterStyle = R"( 0 TABLE
 2 VIEW
+5 6
+100 AcDbSymbolTable
 70 0
 0 ENDTAB
 0 TABLE
 2 UCS
+5 7
+100 AcDbSymbolTable
 70 0
 0 ENDTAB
 0 TABLE
 2 APPID
+5 9
+100 AcDbSymbolTable
 70 1
 0 APPID
+5 12
+100 AcDbSymbolTableRecord
+100 AcDbRegAppTableRecord
 2 ACAD
 70 0
 0 ENDTAB
 0 TABLE
 2 DIMSTYLE
+5 A
+100 AcDbSymbolTable
 70 1
+100 AcDbDimStyleTable
+71 0
 0 DIMSTYLE
+105 27
+100 AcDbSymbolTableRecord
+100 AcDbDimStyleTableRecord
 2 Standard
-3
-4
-5
-6
-7
-40 1.0
 41 1.0
 42 1.0
 43 3.75
 44 1.0
-45 0.0
-46 0.0
-47 0.0
-48 0.0
 70 0
-71 0
-72 0
 73 0
 74 0
-75 0
-76 0
 77 1
 78 8
 140 1.0
 141 2.5
-142 0.0
 143 0.03937007874016
-144 1.0
-145 0.0
-146 1.0
 147 1.0
-170 0
 171 3
 172 1
-173 0
-174 0
-175 0
-176 0
-177 0
-178 0
+271 2
+272 2
+274 3
+278 44
+283 0
+284 8
+340 @style
+0 ENDTAB
+0 TABLE
+2 BLOCK_RECORD
+5 1
+100 AcDbSymbolTable
+70 1
+0 BLOCK_RECORD
+5 1F
+100 AcDbSymbolTableRecord
+100 AcDbBlockTableRecord
+2 *Model_Space
+0 BLOCK_RECORD
+5 1B
+100 AcDbSymbolTableRecord
+100 AcDbBlockTableRecord
+2 *Paper_Space
 0 ENDTAB
 0 ENDSEC
 0 SECTION
 2 BLOCKS
+0 BLOCK
+5 20
+100 AcDbEntity
+8 0
+100 AcDbBlockBegin
+2 *Model_Space
+70 0
+10 0.0
+20 0.0
+30 0.0
+3 *Model_Space
+1
+0 ENDBLK
+5 21
+100 AcDbEntity
+8 0
+100 AcDbBlockEnd
+0 BLOCK
+5 1C
+100 AcDbEntity
+67 1
+8 0
+100 AcDbBlockBegin
+2 *Paper_Space
+70 0
+10 0.0
+20 0.0
+30 0.0
+3 *Paper_Space
+1
+0 ENDBLK
+5 1D
+100 AcDbEntity
+67 1
+8 0
+100 AcDbBlockEnd
 0 ENDSEC
 0 SECTION
 2 ENTITIES)";

} // namespace parvelin::dxftables
