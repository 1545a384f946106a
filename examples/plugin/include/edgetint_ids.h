/* Identifiers and names of the Edge Tint sample filter, shared by its resources and its code. */
#ifndef EDGETINT_IDS_H
#define EDGETINT_IDS_H

#define kEdgeTintResourceID 16000
#define kEdgeTintAboutID 16100
#define kEdgeTintName "Edge Tint"

#define kEdgeTintMajor 1
/* The build passes the minor version of its project version. */
#ifndef EDGETINT_MINOR
#define EDGETINT_MINOR 0
#endif

#endif
