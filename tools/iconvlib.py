"""The C library's iconv through ctypes, for the data generators under tools/.

The generators take code page 936 codes from the same iconv "CP936" converter the program uses
at run time, so the generated data and the program's own conversions always agree.
"""

import ctypes
import ctypes.util


class Iconv:
    """One direction of the C library's iconv, one character at a time."""

    def __init__(self, to_code, from_code):
        self._libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        self._libc.iconv_open.restype = ctypes.c_void_p
        self._libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self._libc.iconv.restype = ctypes.c_size_t
        self._libc.iconv.argtypes = [ctypes.c_void_p,
                                     ctypes.POINTER(ctypes.c_char_p),
                                     ctypes.POINTER(ctypes.c_size_t),
                                     ctypes.POINTER(ctypes.c_char_p),
                                     ctypes.POINTER(ctypes.c_size_t)]
        self._libc.iconv_close.argtypes = [ctypes.c_void_p]
        handle = self._libc.iconv_open(to_code.encode(), from_code.encode())
        if handle is None or handle == ctypes.c_void_p(-1).value:
            raise OSError(ctypes.get_errno(), f"iconv_open({to_code}, {from_code}) failed")
        self._cd = handle

    def convert(self, data):
        """The converted bytes, or None when iconv rejects the input."""
        # Back to the initial state, whatever the previous call left behind.
        self._libc.iconv(self._cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(data, len(data))
        outbuf = ctypes.create_string_buffer(16)
        in_ptr = ctypes.c_char_p(ctypes.addressof(inbuf))
        out_ptr = ctypes.c_char_p(ctypes.addressof(outbuf))
        in_left = ctypes.c_size_t(len(data))
        out_left = ctypes.c_size_t(len(outbuf))
        result = self._libc.iconv(self._cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                                  ctypes.byref(out_ptr), ctypes.byref(out_left))
        if result == ctypes.c_size_t(-1).value or in_left.value != 0:
            return None
        return outbuf.raw[:len(outbuf) - out_left.value]

    def close(self):
        self._libc.iconv_close(self._cd)
