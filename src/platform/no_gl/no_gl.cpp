// OpenGL without a context, for the 32-bit x86 Linux build of the headless programs and tests.
//
// The headless backend never makes a GL context current, so in the 64-bit build every GL call
// of the core (the window's GL set-up, presenting a frame, the world view) reaches libGL's
// dispatch without a context, where it does nothing: outputs stay as they were, nothing is
// drawn or read. No 32-bit libGL is installed here (its packages need Debian's i386
// architecture beside the amd64 one), so this build links the same no-ops for the calls the
// core makes.
#include <GL/gl.h>

void glBegin(GLenum) {}
void glBindTexture(GLenum, GLuint) {}
void glBlendFunc(GLenum, GLenum) {}
void glClear(GLbitfield) {}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glClearDepth(GLclampd) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glDepthFunc(GLenum) {}
void glDisable(GLenum) {}
void glDrawPixels(GLsizei, GLsizei, GLenum, GLenum, const GLvoid*) {}
void glEnable(GLenum) {}
void glEnd() {}
void glGenTextures(GLsizei, GLuint*) {}
void glHint(GLenum, GLenum) {}
void glLoadIdentity() {}
void glMatrixMode(GLenum) {}
void glMultMatrixd(const GLdouble*) {}
void glNormal3f(GLfloat, GLfloat, GLfloat) {}
void glPixelStorei(GLenum, GLint) {}
void glPixelZoom(GLfloat, GLfloat) {}
void glPopMatrix() {}
void glPushMatrix() {}
void glReadPixels(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, GLvoid*) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glShadeModel(GLenum) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
void glTexParameteri(GLenum, GLenum, GLint) {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
