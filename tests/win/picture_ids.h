// Resource ids of the picture loader's test pictures (picture_fixtures.py
// reads this file too).
#pragma once

#define PIC_JPEG 401            /* IMG: 52 x 39 JPEG, a yellow disc on blue */
#define PIC_GIF 402             /* IMG: 130 x 65 GIF, left half red, right half blue */
#define PIC_BMP 403             /* IMG: 70 x 50 BMP, left half red, right half blue */
#define PIC_GARBAGE 404         /* IMG: not an image */
#define PIC_PNG 405             /* RCDATA: 40 x 20 PNG, red | blue, that only our decoder reads */
#define PIC_PNG_BAD_DATA 406    /* RCDATA: PNG whose image data does not inflate */
#define PIC_PNG_BAD_FILTER 407  /* RCDATA: PNG whose rows have filter type 5 */
#define PIC_BOTH 408            /* IMG 30 x 10 BMP and RCDATA 10 x 30 PNG */
#define PIC_MISSING 409         /* no resource at all */
#define PIC_ICON 410            /* IMG: 16 x 16 icon, left half red, right half blue */
