// The GDI+ functions the binding resolves by name when it loads the library,
// as lists in their resolving order. Each entry expands to X(Name); the
// binding declares one pointer per name, typed from the function's own
// declaration, and resolves them in this order.
#pragma once

// The functions picture loading, drawing and encoding need.
#define VANTACLE_GDIPLUS_BASE_ENTRIES(X)                                                           \
    X(GdiplusStartup)                                                                              \
    X(GdiplusShutdown)                                                                             \
    X(GdipDeleteGraphics)                                                                          \
    X(GdipCreateFromHDC)                                                                           \
    X(GdipLoadImageFromStream)                                                                     \
    X(GdipLoadImageFromFile)                                                                       \
    X(GdipDrawImageRectI)                                                                          \
    X(GdipDrawImageRectRectI)                                                                      \
    X(GdipDisposeImage)                                                                            \
    X(GdipGetImageRawFormat)                                                                       \
    X(GdipGetImageWidth)                                                                           \
    X(GdipGetImageHeight)                                                                          \
    X(GdipSaveImageToStream)                                                                       \
    X(GdipCreateBitmapFromHBITMAP)                                                                 \
    X(GdipCreateBitmapFromGdiDib)

// Drawing, paths, matrices, fonts, metafiles and bitmap bits. A library that
// lacks any of them is too old or incomplete to be used at all.
#define VANTACLE_GDIPLUS_FULL_ENTRIES(X)                                                           \
    X(GdipDrawLineI)                                                                               \
    X(GdipCreatePen1)                                                                              \
    X(GdipDeletePen)                                                                               \
    X(GdipFlush)                                                                                   \
    X(GdipSetSmoothingMode)                                                                        \
    X(GdipSetTextRenderingHint)                                                                    \
    X(GdipSetPenBrushFill)                                                                         \
    X(GdipSetPenColor)                                                                             \
    X(GdipSetPenWidth)                                                                             \
    X(GdipDeleteBrush)                                                                             \
    X(GdipCreateSolidFill)                                                                         \
    X(GdipFillRectangleI)                                                                          \
    X(GdipFillEllipseI)                                                                            \
    X(GdipDrawEllipseI)                                                                            \
    X(GdipDrawCurveI)                                                                              \
    X(GdipGraphicsClear)                                                                           \
    X(GdipSetPageUnit)                                                                             \
    X(GdipDrawRectangleI)                                                                          \
    X(GdipSetPenDashStyle)                                                                         \
    X(GdipDrawPolygonI)                                                                            \
    X(GdipFillPolygonI)                                                                            \
    X(GdipSetWorldTransform)                                                                       \
    X(GdipGetWorldTransform)                                                                       \
    X(GdipCreateMatrix)                                                                            \
    X(GdipCreateMatrix2)                                                                           \
    X(GdipDeleteMatrix)                                                                            \
    X(GdipSetMatrixElements)                                                                       \
    X(GdipMultiplyMatrix)                                                                          \
    X(GdipScaleMatrix)                                                                             \
    X(GdipTranslateMatrix)                                                                         \
    X(GdipDrawLinesI)                                                                              \
    X(GdipRecordMetafileI)                                                                         \
    X(GdipRecordMetafileStreamI)                                                                   \
    X(GdipPlayMetafileRecord)                                                                      \
    X(GdipEnumerateMetafileDestRectI)                                                              \
    X(GdipResetWorldTransform)                                                                     \
    X(GdipRotateWorldTransform)                                                                    \
    X(GdipTranslateWorldTransform)                                                                 \
    X(GdipGetImageGraphicsContext)                                                                 \
    X(GdipCreateFontFromDC)                                                                        \
    X(GdipDeleteFont)                                                                              \
    X(GdipCreateFontFromLogfontW)                                                                  \
    X(GdipDrawString)                                                                              \
    X(GdipMeasureString)                                                                           \
    X(GdipDrawDriverString)                                                                        \
    X(GdipCreatePath)                                                                              \
    X(GdipDeletePath)                                                                              \
    X(GdipDrawPath)                                                                                \
    X(GdipFillPath)                                                                                \
    X(GdipAddPathLineI)                                                                            \
    X(GdipAddPathLine2I)                                                                           \
    X(GdipAddPathArcI)                                                                             \
    X(GdipAddPathCurveI)                                                                           \
    X(GdipAddPathClosedCurveI)                                                                     \
    X(GdipAddPathEllipseI)                                                                         \
    X(GdipAddPathPolygonI)                                                                         \
    X(GdipAddPathRectangleI)                                                                       \
    X(GdipClosePathFigure)                                                                         \
    X(GdipDrawArcI)                                                                                \
    X(GdipDrawBezierI)                                                                             \
    X(GdipDrawPieI)                                                                                \
    X(GdipCreateBitmapFromScan0)                                                                   \
    X(GdipBitmapLockBits)                                                                          \
    X(GdipBitmapUnlockBits)
